#include "macros/ui/KeyLineDialog.h"

#include "controls/wide/ui/UniLabel.h"
#include "keys/KeyCodeTables.h"
#include "keys/ui/ComboKeyDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace trvx {

namespace {

TUniLabel* Button(QWidget* parent, const char* name, const std::string& caption, int x, int y) {
    auto* label = new TUniLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->SetCaption(QString::fromStdString(caption).toStdU16String());
    label->setGeometry(x, y, 90, 24);
    label->SetAlignment(TAlignment::taCenter);
    label->SetTransparent(false);
    label->SetColor(QColor(60, 60, 70));
    label->SetFontColor(Qt::white);
    return label;
}

} // namespace

KeyLineDialog::KeyLineDialog(PageHost& host, int item, QWidget* over)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), host_(host),
      item_(item), over_(over) {
    setObjectName(QStringLiteral("Form4"));
    setFixedSize(300, 150);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(32, 32, 40));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    auto* title = new TUniLabel(this);
    title->setObjectName(QStringLiteral("lbl_EditKey"));
    title->SetCaption(QString::fromStdString(host_.LangText("Str520")).toStdU16String());
    title->setGeometry(16, 10, 240, 24);
    title->SetFontColor(Qt::white);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Edt_EditKey"));
    edit_->setReadOnly(true);
    edit_->setAlignment(Qt::AlignCenter);
    edit_->setGeometry(16, 46, 268, 28);
    edit_->installEventFilter(this);

    TUniLabel* confirm = Button(this, "IB_Confirm", host_.LangText("Str511"), 40, 100);
    TUniLabel* clear = Button(this, "IB_Cancel", host_.LangText("Str512"), 170, 100);
    TUniLabel* close = Button(this, "IB_Close", "X", 266, 6);
    close->setGeometry(266, 6, 24, 24);
    connect(confirm, &TUniLabel::clicked, this, &KeyLineDialog::IB_ConfirmClick);
    connect(clear, &TUniLabel::clicked, this, &KeyLineDialog::IB_CancelClick);
    connect(close, &TUniLabel::clicked, this, &KeyLineDialog::IB_CloseClick);
}

void KeyLineDialog::Open() {
    if (over_ != nullptr) {
        const QWidget* window = over_->window();
        const QPoint centre = window->mapToGlobal(window->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    edit_->setFocus();
}

void KeyLineDialog::KeyDown(std::uint32_t virtualKey) {
    const TKeyboardHookKey key = VirtualKeyToHookKey(virtualKey);
    const auto name = HookKeyToName(key);
    // A key the tables cannot name leaves the shown key as it was.
    if (key == kh_None || !name)
        return;
    keyName_ = std::string(*name);
    usage_ = HookKeyToHidUsage(key);
    edit_->setText(QString::fromStdString(keyName_));
}

bool KeyLineDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        KeyDown(VirtualKeyOfQtKey(key->key(), key->nativeScanCode()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void KeyLineDialog::IB_ConfirmClick() {
    // An emptied edit hands nothing over; the dialog closes all the same.
    if (!keyName_.empty())
        emit confirmed(item_, QString::fromStdString(keyName_), usage_);
    Finish();
}

void KeyLineDialog::IB_CancelClick() {
    keyName_.clear();
    usage_ = 0;
    edit_->clear();
    edit_->setFocus();
}

void KeyLineDialog::IB_CloseClick() {
    Finish();
}

void KeyLineDialog::closeEvent(QCloseEvent* event) {
    Finish();
    QWidget::closeEvent(event);
}

void KeyLineDialog::Finish() {
    if (finished_)
        return;
    finished_ = true;
    hide();
    deleteLater();
}

} // namespace trvx
