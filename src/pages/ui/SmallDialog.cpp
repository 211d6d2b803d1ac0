#include "pages/ui/SmallDialog.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/wide/ui/UniEdit.h"
#include "controls/wide/ui/UniLabel.h"
#include "skin/ui/SkinImages.h"
#include "skin/ui/SkinPicture.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPointer>

#include <map>
#include <string>
#include <utility>

namespace trvx {

namespace {

// The see-through colour of the dialogs' art.
constexpr QRgb kKeyColour = qRgb(128, 0, 0);
// The well the edit sits in, as the art's own panels are drawn.
const QColor kEditFace(15, 19, 23);
const QColor kEditBorder(92, 106, 122);

QColor ColourOf(const Rgb& c) {
    return QColor(c.R, c.G, c.B);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The dialog of each kind that was opened last.
std::map<QString, QPointer<SmallDialog>>& LatestOfKind() {
    static std::map<QString, QPointer<SmallDialog>> latest;
    return latest;
}

SmallDialog::OpenObserver& Observer() {
    static SmallDialog::OpenObserver observer;
    return observer;
}

} // namespace

SmallDialog::OpenObserver SmallDialog::SetOpenObserver(OpenObserver observer) {
    std::swap(Observer(), observer);
    return observer;
}

SmallDialog::SmallDialog(PageHost& host, QWidget* over, const Parts& parts)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), host_(host),
      over_(over) {
    setObjectName(QString::fromLatin1(parts.form));
    if (const auto section = ReadLayoutSection("org" + std::to_string(host_.LangIndex()))) {
        // The shipped sets hold every key (the resource test says so); a set that lacks one
        // keeps the shape of the art.
        if (const auto read = ReadDialogLayout(*section, parts.layoutKeys))
            layout_ = *read;
    }
    // Without their keys the boxes stand in a row below the edit.
    for (std::size_t i = layout_.boxes.size(); i < parts.boxes.size(); ++i)
        layout_.boxes.push_back({layout_.edit.x + static_cast<int>(i) * 80, layout_.edit.y + 40});
    const QString fontName = Q(host_.Layout().FontName);
    auto font = [&fontName](int points) {
        QFont f(fontName);
        f.setPointSize(std::max(points, 1));
        return f;
    };

    // The window is its art, and see-through where the art holds the key colour.
    auto* background = new SkinPicture(this);
    background->setObjectName(QString::fromLatin1(parts.image));
    background->setSkinPicture("Msg");
    const QSize size = background->size().isEmpty() ? QSize(530, 200) : background->size();
    setFixedSize(size);
    QPalette windowColour = palette();
    windowColour.setColor(QPalette::Window, QColor::fromRgb(kKeyColour));
    setPalette(windowColour);
    if (const QRegion shape = SkinShapeMask("Msg", kKeyColour); !shape.isEmpty())
        setMask(shape);

    auto* title = new TUniLabel(this);
    title->setObjectName(QString::fromLatin1(parts.title));
    title->setFont(font(layout_.TitleFontSize()));
    title->SetTransparent(true);
    title->SetFontColor(ColourOf(layout_.textColour));
    title->SetCaption(Q(host_.CaptionSet().Text(parts.titleKey)).toStdU16String());
    title->move(layout_.title.x, layout_.title.y);

    edit_ = new TUniEdit(this);
    edit_->setObjectName(QString::fromLatin1(parts.edit));
    edit_->setFont(font(layout_.EditFontSize()));
    edit_->setAlignment(Qt::AlignCenter);
    const QColor text = ColourOf(layout_.editColour);
    edit_->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid "
                                        "%3; border-radius: 3px; padding: 0 6px; }")
                             .arg(kEditFace.name(), text.name(), kEditBorder.name()));
    edit_->setGeometry(layout_.edit.x, layout_.edit.y, layout_.editWidth,
                       QFontMetrics(edit_->font()).height() + 12);

    QPalette boxText = palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        boxText.setColor(role, ColourOf(layout_.textColour));
    for (std::size_t i = 0; i < parts.boxes.size(); ++i) {
        const QString name = QString::fromLatin1(parts.boxes[i].name);
        // On the picture, so that a see-through box shows the art behind it (the background of
        // the dialog itself is the see-through key colour).
        auto* box = new SkinCheckBox(background, name);
        box->setObjectName(name);
        box->setTransparent(true);
        box->setFont(font(layout_.BoxFontSize()));
        box->setPalette(boxText);
        box->setCaption(QString::fromLatin1(parts.boxes[i].caption));
        box->move(layout_.boxes[i].x, layout_.boxes[i].y);
        boxes_.push_back(box);
    }

    confirm_ = AddButton("Confirm", "BtnS", parts.confirmKey, layout_.confirm);
    TUniLabel* clear = AddButton("Cancel", "BtnS", parts.clearKey, layout_.clear);
    TUniLabel* close = AddButton("Close", "ExitS", {}, layout_.close);
    connect(confirm_, &TUniLabel::clicked, this, &SmallDialog::IB_ConfirmClick);
    connect(clear, &TUniLabel::clicked, this, &SmallDialog::IB_CancelClick);
    connect(close, &TUniLabel::clicked, this, &SmallDialog::IB_CloseClick);
    for (TUniLabel* label : {confirm_, clear}) {
        label->setFont(font(layout_.ButtonFontSize()));
        label->SetFontColor(ColourOf(layout_.textColour));
        // A button that is off shows its caption faded into the art, not embossed.
        QPalette off = label->palette();
        QColor faded = ColourOf(layout_.textColour);
        faded.setAlpha(100);
        off.setColor(QPalette::Dark, faded);
        off.setColor(QPalette::Light, Qt::transparent);
        label->setPalette(off);
    }
}

SmallDialog::~SmallDialog() = default;

TUniLabel* SmallDialog::AddButton(const char* stem, const char* image, std::string_view captionKey,
                                  DialogPoint at) {
    // The picture takes the pointer's news through the label over it.
    auto* picture = new SkinPicture(this);
    picture->setObjectName(QStringLiteral("Img_%1").arg(QString::fromLatin1(stem)));
    const std::string art(image);
    picture->setSkinPicture(art + "_01");
    picture->move(at.x, at.y);
    auto* label = new TUniLabel(this);
    label->setObjectName(QStringLiteral("IB_%1").arg(QString::fromLatin1(stem)));
    label->SetAutoSize(false);
    label->setGeometry(at.x, at.y, picture->width(), picture->height());
    label->SetAlignment(TAlignment::taCenter);
    label->SetLayout(TTextLayout::tlCenter);
    label->SetTransparent(true);
    if (!captionKey.empty())
        label->SetCaption(Q(host_.CaptionSet().Text(captionKey)).toStdU16String());
    connect(label, &TUniLabel::mouseEnter, picture,
            [picture, art] { picture->setSkinPicture(art + "_02"); });
    connect(label, &TUniLabel::mouseLeave, picture,
            [picture, art] { picture->setSkinPicture(art + "_01"); });
    // Pressed: the picture of a button held down, until the pointer leaves.
    connect(label, &TUniLabel::clicked, picture,
            [picture, art] { picture->setSkinPicture(art + "_03"); });
    return label;
}

void SmallDialog::Open() {
    // The one of this kind still on screen, whoever opened it, goes without a word.
    QPointer<SmallDialog>& latest = LatestOfKind()[objectName()];
    if (latest != nullptr && latest != this)
        latest->Finish();
    latest = this;
    finished_ = false;
    if (over_ != nullptr) {
        const QRect main = over_->window()->geometry();
        move(main.left() + (main.width() - width()) / 2,
             main.top() + (main.height() - height()) / 2);
    }
    show();
    raise();
    activateWindow();
    edit_->setFocus();
    if (Observer())
        Observer()(*this);
}

void SmallDialog::IB_ConfirmClick() {
    if (finished_ || !confirm_->isEnabled())
        return;
    // Off the screen before the value goes: a message the main window's action shows must not
    // open under a topmost dialog that no longer takes a click.
    finished_ = true;
    hide();
    const QPointer<SmallDialog> self(this);
    HandOver();
    if (self != nullptr)
        emit finished();
}

void SmallDialog::IB_CancelClick() {
    edit_->clear();
    Cleared();
    edit_->setFocus();
}

void SmallDialog::IB_CloseClick() {
    Finish();
}

void SmallDialog::closeEvent(QCloseEvent* event) {
    Finish();
    QWidget::closeEvent(event);
}

void SmallDialog::Finish() {
    if (finished_)
        return;
    finished_ = true;
    hide();
    emit finished();
}

} // namespace trvx
