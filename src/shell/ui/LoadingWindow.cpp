#include "shell/ui/LoadingWindow.h"

#include "base/Resources.h"
#include "controls/wide/ui/GifAnimator.h"

namespace trvx {

TFormLoadingUI::TFormLoadingUI(QWidget& mainWindow, Clock* clock)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      main_(mainWindow), waitGif_(new TAnimGIFAnimator(this, clock)) {
    setObjectName(QStringLiteral("FormLoadingUI"));
    setWindowTitle(QStringLiteral("Loading"));
    // The black around the spinner is see-through: the window and the colour the picture is
    // drawn over are transparent.
    setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::transparent);
    setPalette(pal);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kWidth, kHeight);

    waitGif_->setObjectName(QStringLiteral("WaitGif"));
    waitGif_->SetAutoSize(false);
    waitGif_->setGeometry(0, 0, 200, 192);
    waitGif_->SetStretch(true);
    waitGif_->SetTransparent(true);
    waitGif_->LoadImage(resource("WaitGif"));

    const WindowRect r = PlacementFor(main_);
    move(r.left, r.top);
}

void TFormLoadingUI::showEvent(QShowEvent* event) {
    waitGif_->SetAnimate(true);
    QWidget::showEvent(event);
}

void TFormLoadingUI::hideEvent(QHideEvent* event) {
    waitGif_->SetAnimate(false);
    QWidget::hideEvent(event);
}

WindowRect TFormLoadingUI::PlacementFor(const QWidget& mainWindow) const {
    const QRect m = mainWindow.frameGeometry();
    return BusyWindowPlacement({m.left(), m.top(), m.width(), m.height()}, width(), height());
}

void TFormLoadingUI::ShowCentred() {
    const QRect m = main_.frameGeometry();
    const WindowRect r =
        BusyWindowCentred({m.left(), m.top(), m.width(), m.height()}, width(), height());
    move(r.left, r.top);
    show();
    raise();
}

} // namespace trvx
