#include "controls/skinned/ui/TrayIcon.h"

#include "controls/skinned/TrayIconState.h"

#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

namespace trvx {

TrayIcon::TrayIcon(QWidget* owner) : QObject(owner), owner_(owner) {
    tray_ = std::make_unique<QSystemTrayIcon>();
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (!enabled_)
                    return;
                switch (reason) {
                case QSystemTrayIcon::Trigger:
                    emit mouseDown(Qt::LeftButton);
                    emit clicked();
                    break;
                case QSystemTrayIcon::DoubleClick:
                    emit doubleClicked();
                    break;
                case QSystemTrayIcon::Context:
                    emit mouseDown(Qt::RightButton);
                    break;
                case QSystemTrayIcon::MiddleClick:
                    emit mouseDown(Qt::MiddleButton);
                    break;
                default:
                    break;
                }
            });
    if (owner)
        owner->installEventFilter(this);
    modifyIcon();
}

TrayIcon::~TrayIcon() {
    tray_->hide();
}

void TrayIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    modifyIcon();
}

void TrayIcon::setIconVisible(bool visible) {
    iconVisible_ = visible;
    modifyIcon();
}

void TrayIcon::setHint(const QString& hint) {
    hint_ = hint;
    modifyIcon();
}

void TrayIcon::setShowHint(bool show) {
    showHint_ = show;
    modifyIcon();
}

void TrayIcon::setPopupMenu(QMenu* menu) {
    tray_->setContextMenu(menu);
}

QString TrayIcon::tip() const {
    return tray_->toolTip();
}

bool TrayIcon::inTray() const {
    return iconVisible_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::modifyIcon() {
    tray_->setIcon(icon_);
    const std::u16string tip = TrayTipText(hint_.toStdU16String(), showHint_);
    tray_->setToolTip(QString::fromStdU16String(tip));
    // Qt shows no icon without a picture; it is added as soon as there is one.
    tray_->setVisible(iconVisible_ && !icon_.isNull());
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    // Showing the main window from code brings it to the front.
    if (watched == owner_ && event->type() == QEvent::Show && owner_->isWindow()) {
        owner_->raise();
        owner_->activateWindow();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace trvx
