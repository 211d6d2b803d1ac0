#include "platform/ui/X11InputCapture.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace trvx {

namespace {

Display* Dpy(void* d) {
    return static_cast<Display*>(d);
}

// Selects (or with an empty mask, releases) the raw events on the root window.
void SelectRawEvents(Display* display, bool on) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof(bits);
    mask.mask = bits;
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    // Wait for the server: input from other connections after Start returns is heard.
    XSync(display, False);
}

// Opens a connection with XInput 2.2; nullptr when there is none.
Display* OpenXi(int& opcode) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return nullptr;
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success || major < 2) {
        XCloseDisplay(display);
        return nullptr;
    }
    return display;
}

} // namespace

X11InputCapture::X11InputCapture(QObject* parent) : QObject(parent) {}

X11InputCapture::~X11InputCapture() {
    Stop();
}

bool X11InputCapture::Available() {
    int opcode = 0;
    Display* display = OpenXi(opcode);
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

bool X11InputCapture::Start(Sink sink) {
    Stop();
    Display* display = OpenXi(xiOpcode_);
    if (display == nullptr)
        return false;
    display_ = display;
    sink_ = std::move(sink);
    SelectRawEvents(display, true);
    notifier_ = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { ReadEvents(); });
    return true;
}

void X11InputCapture::Stop() {
    if (display_ == nullptr)
        return;
    // Stop may come from the sink, inside the notifier's own signal: let it go afterwards.
    notifier_->setEnabled(false);
    notifier_->deleteLater();
    notifier_ = nullptr;
    Display* display = Dpy(display_);
    SelectRawEvents(display, false);
    XCloseDisplay(display);
    display_ = nullptr;
    sink_ = nullptr;
}

void X11InputCapture::ReadEvents() {
    // The sink may stop the capture (the room is spent), which closes the connection: read
    // no further then.
    while (display_ != nullptr && XPending(Dpy(display_)) > 0) {
        Display* display = Dpy(display_);
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xiOpcode_ ||
            !XGetEventData(display, cookie))
            continue;
        CapturedInput input;
        bool known = true;
        switch (cookie->evtype) {
        case XI_RawKeyPress:
            input.kind = CapturedInput::Kind::KeyDown;
            break;
        case XI_RawKeyRelease:
            input.kind = CapturedInput::Kind::KeyUp;
            break;
        case XI_RawButtonPress:
            input.kind = CapturedInput::Kind::ButtonDown;
            break;
        case XI_RawButtonRelease:
            input.kind = CapturedInput::Kind::ButtonUp;
            break;
        default:
            known = false;
        }
        if (known) {
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            input.code = static_cast<std::uint32_t>(raw->detail);
            input.tick = static_cast<std::uint32_t>(raw->time);
        }
        XFreeEventData(display, cookie);
        if (known && sink_)
            sink_(input);
    }
}

} // namespace trvx
