// The recorders' fallback without X11 (keys and buttons that reach our own windows), and the
// choice between it and the global capture. Kept apart from Xlib, whose macros clash with Qt.
#include "platform/ui/X11InputCapture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace trvx {

WindowInputCapture::WindowInputCapture(QObject* parent) : QObject(parent) {}

WindowInputCapture::~WindowInputCapture() {
    Stop();
}

bool WindowInputCapture::Start(Sink sink) {
    Stop();
    sink_ = std::move(sink);
    running_ = true;
    qApp->installEventFilter(this);
    return true;
}

void WindowInputCapture::Stop() {
    if (!running_)
        return;
    qApp->removeEventFilter(this);
    running_ = false;
    sink_ = nullptr;
}

namespace {

std::uint32_t QtButtonToX(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    case Qt::RightButton:
        return 3;
    case Qt::BackButton:
        return 8;
    case Qt::ForwardButton:
        return 9;
    default:
        return 0;
    }
}

// Virtual-key codes of the keys a synthetic event names only by its Qt key.
std::uint32_t QtKeyToVirtualKey(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<std::uint32_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + static_cast<std::uint32_t>(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Control:
        return 0xA2;
    case Qt::Key_Shift:
        return 0xA0;
    case Qt::Key_Alt:
        return 0xA4;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Backspace:
        return 0x08;
    default:
        return 0;
    }
}

std::uint32_t NowMs() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<std::uint32_t>(timer.elapsed());
}

} // namespace

bool WindowInputCapture::eventFilter(QObject* watched, QEvent* event) {
    // An event travels from its widget up through the parents that ignore it, and reaches the
    // filter at each: take it at the first widget only.
    if (!running_ || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const bool propagated = event == lastEvent_ && event->type() == lastType_ &&
                            lastWidget_ != nullptr &&
                            static_cast<QWidget*>(watched)->isAncestorOf(lastWidget_);
    lastEvent_ = event;
    lastType_ = event->type();
    lastWidget_ = static_cast<QWidget*>(watched);
    if (propagated)
        return QObject::eventFilter(watched, event);
    CapturedInput input;
    input.tick = NowMs();
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat())
            break;
        input.kind = event->type() == QEvent::KeyPress ? CapturedInput::Kind::KeyDown
                                                       : CapturedInput::Kind::KeyUp;
        // The native scan code is the X key code under xcb and the evdev code + 8 elsewhere.
        input.code = key->nativeScanCode();
        if (input.code == 0)
            input.virtualKey = QtKeyToVirtualKey(key->key());
        if (sink_ && (input.code != 0 || input.virtualKey != 0))
            sink_(input);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        input.kind = event->type() == QEvent::MouseButtonPress ? CapturedInput::Kind::ButtonDown
                                                               : CapturedInput::Kind::ButtonUp;
        input.code = QtButtonToX(mouse->button());
        if (sink_ && input.code != 0)
            sink_(input);
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<InputCapture> MakeInputCapture() {
    if (QGuiApplication::platformName() == QLatin1String("xcb") && X11InputCapture::Available())
        return std::make_unique<X11InputCapture>();
    return std::make_unique<WindowInputCapture>();
}

} // namespace trvx
