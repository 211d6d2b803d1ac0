#include "macros/ui/KeyLineDialog.h"

#include "controls/wide/ui/UniLabel.h"
#include "keys/KeyCodeTables.h"
#include "keys/ui/ComboKeyDialog.h"
#include "skin/ui/SkinPicture.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace trvx {

namespace {

// A button of the dialog: its skin picture with a label over it that takes the clicks and
// swaps the picture under the pointer.
TUniLabel* Button(QWidget* parent, const std::string& stem, const std::string& image,
                  const std::string& caption, int x, int y) {
    auto* picture = new SkinPicture(parent);
    picture->setObjectName(QString::fromStdString("Img_" + stem));
    picture->setSkinPicture(image + "_01");
    picture->move(x, y);
    auto* label = new TUniLabel(parent);
    label->setObjectName(QString::fromStdString("IB_" + stem));
    label->SetCaption(QString::fromStdString(caption).toStdU16String());
    label->setGeometry(x, y, picture->width(), picture->height());
    label->SetAlignment(TAlignment::taCenter);
    label->SetLayout(TTextLayout::tlCenter);
    label->SetTransparent(true);
    label->SetFontColor(Qt::white);
    QObject::connect(label, &TUniLabel::mouseEnter, picture,
                     [picture, image] { picture->setSkinPicture(image + "_02"); });
    QObject::connect(label, &TUniLabel::mouseLeave, picture,
                     [picture, image] { picture->setSkinPicture(image + "_01"); });
    QObject::connect(label, &TUniLabel::mouseDown, picture,
                     [picture, image] { picture->setSkinPicture(image + "_03"); });
    return label;
}

} // namespace

KeyLineDialog::KeyLineDialog(PageHost& host, QWidget* over)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), host_(host),
      item_(-1), over_(over) {
    setObjectName(QStringLiteral("Form4"));
    // The dialog is the size of its background art.
    auto* background = new SkinPicture(this);
    background->setObjectName(QStringLiteral("Img_EditKey"));
    background->setSkinPicture("Msg");
    const QSize size = background->size().isEmpty() ? QSize(530, 200) : background->size();
    setFixedSize(size);

    auto* title = new TUniLabel(this);
    title->setObjectName(QStringLiteral("lbl_EditKey"));
    title->SetCaption(QString::fromStdString(host_.LangText("Str520")).toStdU16String());
    title->setGeometry(20, 8, size.width() - 80, 22);
    title->SetTransparent(true);
    title->SetFontColor(Qt::white);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Edt_EditKey"));
    edit_->setReadOnly(true);
    edit_->setAlignment(Qt::AlignCenter);
    edit_->setGeometry((size.width() - 300) / 2, 70, 300, 30);
    edit_->installEventFilter(this);

    const int y = size.height() - 55;
    TUniLabel* confirm =
        Button(this, "Confirm", "BtnS", host_.LangText("Str511"), size.width() / 2 - 120, y);
    TUniLabel* clear =
        Button(this, "Cancel", "BtnS", host_.LangText("Str512"), size.width() / 2 + 20, y);
    TUniLabel* close = Button(this, "Close", "ExitS", "", size.width() - 40, 1);
    connect(confirm, &TUniLabel::clicked, this, &KeyLineDialog::IB_ConfirmClick);
    connect(clear, &TUniLabel::clicked, this, &KeyLineDialog::IB_CancelClick);
    connect(close, &TUniLabel::clicked, this, &KeyLineDialog::IB_CloseClick);
}

void KeyLineDialog::Open(int item) {
    item_ = item;
    finished_ = false;
    keyName_.clear();
    usage_ = 0;
    edit_->clear();
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
}

} // namespace trvx
