#include "controls/skinned/ui/SkinInputDialog.h"

#include "controls/skinned/InputDialogLayout.h"
#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/SkinForm.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include <memory>
#include <utility>

namespace trvx {

namespace {

SkinInputDialog::Responder& responderSlot() {
    static SkinInputDialog::Responder responder;
    return responder;
}

QColor toQColor(SkinColor c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// A control that takes pushed looks through its property gets it from the frame; the others
// are given it here, so the dialog shows one look throughout.
template <typename Control> void takeLook(Control* control, SkinUIStyle look) {
    if (control->metaObject()->indexOfProperty(kSkinUIStyleProperty) < 0) {
        control->setUIStyle(look);
    }
}

} // namespace

SkinDialog::SkinDialog(QWidget* owner) : QObject(owner), owner_(owner) {
    captionFont_ = QFont(QStringLiteral("Tahoma"));
    captionFont_.setBold(true);
    setUIStyle(FormUIStyle(owner));
}

void SkinDialog::setUIStyle(SkinUIStyle look) {
    uiStyle_ = look;
    captionFontColor_ = toQColor(inputCaptionFontColor(look));
}

void SkinDialog::setCaptionFont(const QFont& font, const QColor& color) {
    captionFont_ = font;
    captionFontColor_ = color;
}

FrmInput::FrmInput(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInput"));
    resize(254, 177);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    setFont(f);
    skForm1 = new SkinForm(this);
    skForm1->setObjectName(QStringLiteral("skForm1"));
    // The frame as the form stores it: WinXP with one close button and the look's three
    // title pictures; its controls keep their own DeepBlue look until the dialog pushes one.
    skForm1->setUIStyle(SkinUIStyle::WinXP);
    skForm1->setUIStyleAutoUpdateSub(true);
    SkinTitleBar* bar = skForm1->titleBar();
    std::vector<SkinTitleBarButton> buttons;
    for (const SkinTitleBarButton& b : bar->buttons()) {
        if (b.buttonType == TitleBarButtonType::Close) {
            buttons.push_back(b);
        }
    }
    bar->setButtons(buttons);
    bar->setDrawAppIcon(false);

    lbl_prompt = new QLabel(QStringLiteral("User name:"), skForm1);
    lbl_prompt->setObjectName(QStringLiteral("lbl_prompt"));
    lbl_prompt->move(24, 56);
    lbl_prompt->setAttribute(Qt::WA_TranslucentBackground);

    edt_value = new SkinEdit(skForm1, QStringLiteral("edt_value"));
    edt_value->setGeometry(24, 78, 201, 19);
    edt_value->setUIStyle(SkinUIStyle::DeepBlue);
    edt_value->setBorderColor(Qt::black);

    btn1 = new SkinButton(skForm1, QStringLiteral("btn1"));
    btn1->setGeometry(40, 128, 73, 25);
    btn1->setUIStyle(SkinUIStyle::DeepBlue);
    btn1->setDefault(true);
    btn1->setModalResult(1);
    btn2 = new SkinButton(skForm1, QStringLiteral("btn2"));
    btn2->setGeometry(129, 128, 73, 25);
    btn2->setUIStyle(SkinUIStyle::DeepBlue);
    btn2->setCancel(true);
    btn2->setModalResult(2);
    setTabOrder(edt_value, btn1);
    setTabOrder(btn1, btn2);
}

SkinInputDialog::SkinInputDialog(QWidget* owner) : SkinDialog(owner) {}

SkinInputDialog::Responder SkinInputDialog::setResponder(Responder responder) {
    return std::exchange(responderSlot(), std::move(responder));
}

int SkinInputDialog::execute() {
    auto form = std::make_unique<FrmInput>(ownerForm() ? ownerForm()->window() : nullptr);
    form->setFont(font());
    form->lbl_prompt->setText(promptText_);
    form->lbl_prompt->adjustSize();
    // A masked prompt asks for a secret afresh: it never opens with the last accepted one.
    const bool masked = !passwordChar_.isNull();
    form->edt_value->setText(masked ? QString() : valueText_);
    form->edt_value->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    form->btn1->setCaption(okCaption_);
    form->btn1->setDefault(true);
    form->btn2->setCaption(cancelCaption_);
    form->btn2->setCancel(true);
    form->skForm1->removeSystemCaption();

    const InputButtonLefts lefts = inputDialogButtonLefts(form->width(), form->btn1->width());
    form->btn1->move(lefts.ok, form->btn1->y());
    form->btn2->move(lefts.cancel, form->btn2->y());
    form->btn1->setCursor(buttonCursor());
    form->btn2->setCursor(buttonCursor());

    form->skForm1->setCaption(caption());
    form->skForm1->setUIStyle(uiStyle());
    takeLook(form->edt_value, uiStyle());
    takeLook(form->btn1, uiStyle());
    takeLook(form->btn2, uiStyle());
    SkinTitleBar* bar = form->skForm1->titleBar();
    bar->setFont(captionFont());
    QPalette pal = bar->palette();
    pal.setColor(QPalette::WindowText, captionFontColor());
    bar->setPalette(pal);

    // Placement: over the owner's window, or in the middle of the screen.
    QRect area;
    if (position() == DialogPosition::OwnerFormCenter && ownerForm() != nullptr) {
        area = ownerForm()->window()->frameGeometry();
    } else if (position() != DialogPosition::Designed && QGuiApplication::primaryScreen()) {
        area = QGuiApplication::primaryScreen()->availableGeometry();
    }
    if (area.isValid()) {
        form->move(area.center() - QPoint(form->width() / 2, form->height() / 2));
    }

    form->setModal(true);
    const Responder& responder = responderSlot();
    const int result = responder ? responder(*form) : form->exec();
    if (result == 1) {
        valueText_ = form->edt_value->text();
    }
    return result;
}

} // namespace trvx
