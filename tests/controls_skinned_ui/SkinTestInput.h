#pragma once
// Mouse and key input sent straight to widgets, and a counter of signal emissions, for the
// widget tests (no display needed).

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

#include <memory>

namespace trvx::test {

inline void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    const QPointF local(at);
    const QPointF global(w->mapToGlobal(at));
    QMouseEvent e(type, local, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void press(QWidget* w, QPoint at) {
    sendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}
inline void move(QWidget* w, QPoint at, bool held) {
    sendMouse(w, QEvent::MouseMove, at, Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton);
}
inline void release(QWidget* w, QPoint at) {
    sendMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}
inline void click(QWidget* w, QPoint at) {
    move(w, at, false);
    press(w, at);
    release(w, at);
}

inline void key(QWidget* w, int keyCode, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, keyCode, mods);
    QApplication::sendEvent(w, &e);
}

// Counts the emissions of one signal.
struct Count {
    int n = 0;
};
template <typename Sender, typename Signal>
std::shared_ptr<Count> count(Sender* sender, Signal signal) {
    auto c = std::make_shared<Count>();
    QObject::connect(sender, signal, sender, [c] { ++c->n; });
    return c;
}

} // namespace trvx::test
