#pragma once
// The notification-area icon: one icon for the life of its owner window, over
// QSystemTrayIcon. Where there is no tray it says so (inTray() is false) instead of
// pretending; Qt adds the icon by itself when a tray appears later or comes back.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace trvx {

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // `owner`: the main window; showing it raises and activates it.
    explicit TrayIcon(QWidget* owner = nullptr);
    // Removes the icon.
    ~TrayIcon() override;

    // Takes a copy of the icon and shows it.
    void setIcon(const QIcon& icon);
    QIcon icon() const { return icon_; }
    bool iconVisible() const { return iconVisible_; }
    void setIconVisible(bool visible);
    QString hint() const { return hint_; }
    void setHint(const QString& hint);
    bool showHint() const { return showHint_; }
    void setShowHint(bool show);
    // Mouse actions on the icon are reported only while enabled.
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    void setPopupMenu(QMenu* menu);

    // The tooltip the icon carries now.
    QString tip() const;
    // The icon is really in a tray: wanted visible, and a tray is there.
    bool inTray() const;

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void modifyIcon();

    std::unique_ptr<QSystemTrayIcon> tray_;
    QPointer<QWidget> owner_;
    QIcon icon_;
    bool iconVisible_ = true;
    QString hint_;
    bool showHint_ = true;
    bool enabled_ = true;
};

} // namespace trvx
