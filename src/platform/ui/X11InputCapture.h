#pragma once
// Global capture for the recorders: XInput2 raw key and button events of the whole desktop,
// taken on an X connection of our own that the event loop watches. The events are selected on
// the root window only between Start and Stop, so nothing is heard while no recording runs.

#include "macros/InputCapture.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

class QSocketNotifier;
class QWidget;

namespace trvx {

class X11InputCapture final : public QObject, public InputCapture {
    Q_OBJECT
public:
    explicit X11InputCapture(QObject* parent = nullptr);
    ~X11InputCapture() override;

    bool Start(Sink sink) override;
    void Stop() override;
    bool Running() const override { return display_ != nullptr; }
    bool Global() const override { return true; }

    // Whether an X server with XInput 2.2 is reachable (DISPLAY set, extension present).
    static bool Available();

private:
    void ReadEvents();

    void* display_ = nullptr; // Display*, kept opaque so Xlib's macros stay out of Qt code
    int xiOpcode_ = 0;
    QSocketNotifier* notifier_ = nullptr;
    Sink sink_;
};

// Fallback without X11: keys and buttons that reach our own windows.
class WindowInputCapture final : public QObject, public InputCapture {
    Q_OBJECT
public:
    explicit WindowInputCapture(QObject* parent = nullptr);
    ~WindowInputCapture() override;

    bool Start(Sink sink) override;
    void Stop() override;
    bool Running() const override { return running_; }
    bool Global() const override { return false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool running_ = false;
    Sink sink_;
    // The event last seen and where, to know it again as it travels to the parents.
    const QEvent* lastEvent_ = nullptr;
    int lastType_ = 0;
    QPointer<QWidget> lastWidget_;
};

// The global capture where the program runs on X11 (also XWayland), else the in-window one.
std::unique_ptr<InputCapture> MakeInputCapture();

} // namespace trvx
