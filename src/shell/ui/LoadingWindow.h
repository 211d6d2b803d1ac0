#pragma once
// The busy window: a small borderless window on top of everything with the turning spinner,
// shown while the mouse is talked to. Created once after the main window, kept to the end.

#include "shell/ShellRules.h"

#include <QWidget>

namespace trvx {

class TAnimGIFAnimator;
class Clock;

class TFormLoadingUI : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 206;
    static constexpr int kHeight = 196;

    // Placed 40 pixels below the centre of `mainWindow`. The spinner turns while the window is
    // shown; hidden, it rests, so the idle program costs no CPU for a picture nobody sees.
    explicit TFormLoadingUI(QWidget& mainWindow, Clock* clock = nullptr);

    // Centred on the main window (wherever it is now), then shown on top.
    void ShowCentred();
    TAnimGIFAnimator* WaitGif() const { return waitGif_; }
    // Where the busy window is created for the main window's current place.
    WindowRect PlacementFor(const QWidget& mainWindow) const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget& main_;
    TAnimGIFAnimator* waitGif_;
};

} // namespace trvx
