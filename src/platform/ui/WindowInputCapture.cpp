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
    // Each event reaches the filter once per object it travels through; take it once, where the
    // platform hands it to the top-level window.
    if (!running_ || !watched->isWindowType())
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
        if (sink_ && input.code != 0)
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
