#include "keys/ui/ComboKeyDialog.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "keys/XKeyCodes.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace trvx {

std::uint32_t VirtualKeyOfQtKey(int qtKey, std::uint32_t nativeScanCode) {
    if (nativeScanCode != 0)
        if (const std::uint32_t vk = XKeyCodeToVirtualKey(nativeScanCode); vk != 0)
            return vk;
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<std::uint32_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + static_cast<std::uint32_t>(qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_Return:
        return 0x0D;
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Meta:
        return 0x5B;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    default:
        return 0;
    }
}

namespace {

TUniLabel* Button(QWidget* parent, const char* name, const std::string& caption, int x, int y) {
    auto* label = new TUniLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    const QString text = QString::fromStdString(caption);
    label->SetCaption(text.toStdU16String());
    label->setGeometry(x, y, 90, 24);
    label->SetAlignment(TAlignment::taCenter);
    label->SetTransparent(false);
    label->SetColor(QColor(60, 60, 70));
    label->SetFontColor(Qt::white);
    return label;
}

} // namespace

ComboKeyDialog::ComboKeyDialog(PageHost& host, int profile, int key, QWidget* over)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), host_(host),
      profile_(profile), key_(key), over_(over) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(360, 200);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(32, 32, 40));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    auto* title = new TUniLabel(this);
    title->setObjectName(QStringLiteral("lbl_Assembly"));
    title->SetCaption(QString::fromStdString(host_.LangText("Str500")).toStdU16String());
    title->setGeometry(16, 10, 300, 24);
    title->SetFontColor(Qt::white);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Edt_Assembly"));
    edit_->setReadOnly(true);
    edit_->setAlignment(Qt::AlignCenter);
    edit_->setGeometry(16, 44, 328, 28);
    edit_->installEventFilter(this);

    static constexpr const char* kBoxes[] = {"CB_Ctrl", "CB_Shift", "CB_Alt", "CB_Win"};
    static constexpr const char* kWords[] = {"Ctrl", "Shift", "Alt", "Win"};
    for (int i = 0; i < 4; ++i) {
        auto* box = new SkinCheckBox(this, QString::fromLatin1(kBoxes[i]));
        box->setObjectName(QString::fromLatin1(kBoxes[i]));
        box->setCaption(QString::fromLatin1(kWords[i]));
        box->setGeometry(16 + 84 * i, 86, 80, 20);
        boxes_[i] = box;
        const auto modifier = static_cast<ComboKeyBuilder::Modifier>(1 << i);
        connect(box, &SkinCheckBox::clicked, this, [this, box, modifier] {
            builder_.SetModifier(modifier, box->isChecked());
            Refresh();
            edit_->setFocus();
        });
    }

    confirm_ = Button(this, "IB_Confirm", host_.LangText("Str501"), 60, 140);
    TUniLabel* clear = Button(this, "IB_Cancel", host_.LangText("Str502"), 210, 140);
    TUniLabel* close = Button(this, "IB_Close", "X", 326, 6);
    close->setGeometry(326, 6, 24, 24);
    connect(confirm_, &TUniLabel::clicked, this, &ComboKeyDialog::IB_ConfirmClick);
    connect(clear, &TUniLabel::clicked, this, &ComboKeyDialog::IB_CancelClick);
    connect(close, &TUniLabel::clicked, this, &ComboKeyDialog::IB_CloseClick);
    Refresh();
}

void ComboKeyDialog::Open() {
    if (over_ != nullptr) {
        const QPoint centre = over_->mapToGlobal(over_->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    edit_->setFocus();
}

void ComboKeyDialog::Refresh() {
    edit_->setText(QString::fromStdString(builder_.Text()));
    // Nothing to confirm while the combination is empty.
    confirm_->setEnabled(!builder_.Empty());
}

bool ComboKeyDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Modifiers are chosen with the boxes: keys pressed while one is held count for nothing.
        const Qt::KeyboardModifiers held =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        const std::uint32_t vk = VirtualKeyOfQtKey(key->key(), key->nativeScanCode());
        if (held == Qt::NoModifier && vk != 0x10 && vk != 0x11 && vk != 0x12 &&
            builder_.KeyDown(vk))
            Refresh();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ComboKeyDialog::IB_ConfirmClick() {
    if (builder_.Empty())
        return;
    const TKeyEntry entry = builder_.Entry();
    const QString caption = edit_->text();
    emit confirmed(profile_, key_, entry, caption);
    Finish();
}

void ComboKeyDialog::IB_CancelClick() {
    builder_.Clear();
    for (SkinCheckBox* box : boxes_) {
        const QSignalBlocker block(box);
        box->setChecked(false);
    }
    Refresh();
    edit_->setFocus();
}

void ComboKeyDialog::closeEvent(QCloseEvent* event) {
    Finish();
    QWidget::closeEvent(event);
}

void ComboKeyDialog::IB_CloseClick() {
    Finish();
}

void ComboKeyDialog::Finish() {
    if (finished_)
        return;
    finished_ = true;
    hide();
    emit closed();
    // A new dialog is made for every opening.
    deleteLater();
}

} // namespace trvx
