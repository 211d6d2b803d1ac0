#include "shell/ui/MainWindowParts.h"
#include "shell/ui/WindowCompletion.h"

#include "engineering/ui/UpdatePage.h"
#include "keys/KeyMenus.h"
#include "pages/ui/ControlText.h"
#include "pages/ui/Page.h"
#include "shell/ui/Choosers.h"
#include "skin/ControlTable.h"
#include "skin/ui/LayoutPass.h"
#include "skin/ui/SkinPicture.h"

#include <QAbstractButton>
#include <QBitmap>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include <cstdio>

// The frame and the side menu: clicks and hovers of the menu labels, page switching, sizes.

namespace trvx {

namespace {

// The pick menus of the macro and fire pages that float over the pages like the key menus.
const char* const kPagePopups[] = {"Pnl_PCMacro",      "Pnl_DevMacro",       "Pnl_DevContent",
                                   "Pnl_DevFireMacro", "Pnl_DevFireContent", "Pnl_AdjustXY"};

WindowRect PlaceOf(const QWidget& window) {
    return {window.x(), window.y(), window.width(), window.height()};
}

// The part of the window's screen that windows may take (panels left out); the screen the
// window was told of stands alone at the origin.
std::optional<WindowRect> AvailableArea(const QWidget& window,
                                        const std::optional<QSize>& toldScreen) {
    if (toldScreen)
        return WindowRect{0, 0, toldScreen->width(), toldScreen->height()};
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return std::nullopt;
    const QRect area = screen->availableGeometry();
    return WindowRect{area.x(), area.y(), area.width(), area.height()};
}

} // namespace

// ---- Controls ------------------------------------------------------------------------------

void TForm1::WireControls() {
    const auto widgets = findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        const std::string name = w->objectName().toStdString();
        if (name.empty())
            continue;
        const auto split = SplitCopyName(name);
        const bool clickable = name == "Btn_Close" ||
                               (split && (IsMenuFamily(split->family) || split->family == "Exit" ||
                                          split->family == "Mini" || split->family == "Web" ||
                                          LangOfFamily(split->family) != 0));
        const bool hovers = IsKeyLabel(name) ||
                            (split && split->copy >= 1 && split->copy <= 5 &&
                             (IsMenuFamily(split->family) || split->family == "Exit" ||
                              split->family == "Mini" || split->family == "Web" ||
                              LangOfFamily(split->family) != 0 || IsRestoreFamily(split->family)));
        const QMetaObject* meta = w->metaObject();
        if (clickable && meta->indexOfSignal("clicked()") >= 0)
            connect(w, SIGNAL(clicked()), this, SLOT(onControlClicked()));
        if (hovers && meta->indexOfSignal("mouseEnter()") >= 0) {
            connect(w, SIGNAL(mouseEnter()), this, SLOT(onControlEnter()));
            connect(w, SIGNAL(mouseLeave()), this, SLOT(onControlLeave()));
            // The pointer came onto it before it was connected (the window was being built).
            if (w->underMouse())
                HoverEnter(w);
        }
        const bool background = name.rfind("Img_Base_", 0) == 0 || name.rfind("Img_P", 0) == 0 ||
                                name.rfind("gbPage", 0) == 0 || name.rfind("Disable_All_", 0) == 0;
        if (background)
            w->installEventFilter(this);
    }
}

void TForm1::onControlClicked() {
    if (auto* w = qobject_cast<QWidget*>(sender()))
        HandleClick(w->objectName());
}

void TForm1::onControlEnter() {
    if (auto* w = qobject_cast<QWidget*>(sender()))
        HoverEnter(w);
}

void TForm1::onControlLeave() {
    if (auto* w = qobject_cast<QWidget*>(sender()))
        HoverLeave(w);
}

void TForm1::HandleClick(const QString& objectName) {
    CompletePages();
    const std::string name = objectName.toStdString();
    if (name == "Btn_Close") {
        Btn_Exit_0Click();
        return;
    }
    const auto split = SplitCopyName(name);
    if (!split)
        return;
    if (split->family == "Exit")
        Btn_Exit_0Click();
    else if (split->family == "Mini")
        Btn_Minimize_0Click();
    else if (split->family == "Web")
        Btn_Web_0Click();
    else if (const int lang = LangOfFamily(split->family); lang != 0)
        LangButtonClick(lang);
    else if (RadioOfFamily(split->family))
        PageButtonClick(split->family);
    else
        updatePage_->FrameButtonClick(split->family);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The borderless window is dragged by any of its backgrounds.
        HideAllMenu();
        if (QWindow* handle = windowHandle())
            handle->startSystemMove();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::SetPicture(std::string_view control, std::string_view image) {
    CompletePages();
    LoadPicture(*this, control, image);
}

std::optional<QColor> TForm1::ChooseColor(const QColor& initial) {
    return Choosers::ChooseColor(this, initial);
}

void TForm1::SetPictureCopies(std::string_view family, std::string_view image) {
    for (int copy = 1; copy <= kSkinnedPageCopies; ++copy)
        SetPicture("Img_" + std::string(family) + "_" + std::to_string(copy), image);
}

// ---- Pages -------------------------------------------------------------------------------

void TForm1::HideAllMenu() {
    CompletePages();
    auto hide = [this](std::string_view name) {
        if (QWidget* w = Control(name))
            w->hide();
    };
    for (const KeyMenu& menu : KeyMenus())
        hide(menu.panel);
    for (std::string_view list : kKeyMenuLists)
        hide(list);
    for (const char* name : kPagePopups)
        hide(name);
}

void TForm1::SizePages() {
    for (int page = 1; page <= 6; ++page)
        if (QWidget* w = Control(Name("gbPage", page)))
            w->resize(layout_.SkinWidth, layout_.SkinHeight);
    if (QWidget* w = Control("gbPage7"))
        w->resize(kEngineerWidth, kEngineerHeight);
}

void TForm1::SetSkinSize() {
    setFixedSize(layout_.SkinWidth, layout_.SkinHeight);
    SizePages();
    ApplyShapeMask();
    if (growth_) {
        const WindowRect place = ShrinkBack(*growth_, PlaceOf(*this), width(), height());
        growth_.reset();
        move(place.left, place.top);
    }
}

void TForm1::SetEngineerSize() {
    const WindowRect before = PlaceOf(*this);
    setFixedSize(kEngineerWidth, kEngineerHeight);
    SizePages();
    // The engineering page is a plain rectangle.
    clearMask();
    // Grown past its screen's edge, the page's right part would be out of reach.
    if (!growth_) {
        if (const auto area = AvailableArea(*this, options_.screenSize)) {
            growth_ = GrowOnScreen(before, width(), height(), *area);
            move(growth_->grown.left, growth_->grown.top);
        }
    }
}

void TForm1::ApplyShapeMask() {
    const QImage background = SkinImage("L1_BackGround");
    if (background.isNull() || layout_.SkinWidth <= 0) {
        clearMask();
        return;
    }
    setMask(SkinShapeMask("L1_BackGround", kShapeKey));
}

void TForm1::ButtonTypeB_1IconInit() {
    noDeviceShown_ = false;
    for (std::string_view family : kMenuFamilies)
        SetPictureCopies(family, "SetS_01");
}

void TForm1::CheckRadio(int radio) {
    checkedRadio_ = radio;
    if (auto* button = qobject_cast<QAbstractButton*>(Control(Name("rb_", radio))))
        button->setChecked(true);
}

void TForm1::ShowOnlyPage(int page) {
    for (int p = 1; p <= kPageCount; ++p)
        if (QWidget* w = Control(Name("gbPage", p)))
            w->setVisible(p == page);
}

int TForm1::VisiblePage() const {
    for (int p = 1; p <= kPageCount; ++p)
        if (QWidget* w = Control(Name("gbPage", p)); w != nullptr && !w->isHidden())
            return p;
    return 0;
}

void TForm1::RefreshAPPage() {
    CompletePages();
    if (noDeviceShown_) {
        ShowOnlyPage(1);
        return;
    }
    if (checkedRadio_ == 8)
        return;
    const PageRadio& radio = kPageRadios[static_cast<std::size_t>(checkedRadio_ - 1)];
    if (Page* page = PageOf(radio.page); page != nullptr && PageReady(*page))
        page->Reshown();
    ShowOnlyPage(radio.page);
}

void TForm1::PageButtonClick(std::string_view family) {
    CompletePages();
    const auto radio = RadioOfFamily(family);
    if (!radio)
        return;
    switch (PageSwitchRule(link_->HasCommandHandle() && link_->HasDataHandle(), noDeviceShown_)) {
    case PageSwitch::RefuseNoDevice:
        RefreshFormMessagDialog(Widen(noDeviceText_));
        return;
    case PageSwitch::Ignore:
        return;
    case PageSwitch::Switch:
        break;
    }
    const int radioNumber = static_cast<int>(radio->radio.back() - '0');
    Page* page = PageOf(radio->page);

    HideAllMenu();
    ButtonTypeB_1IconInit();
    CheckRadio(radioNumber);
    ShowOnlyPage(radio->page);
    if (page != nullptr && page->OwnWindowSize())
        SetEngineerSize();
    else
        SetSkinSize();
    if (page != nullptr)
        page->Shown(radioNumber);
    SetPictureCopies(family, "SetS_03");
    if (radio->page >= 2 && radio->page <= 4)
        SetPicture(Name("Img_P", radio->page),
                   "L" + std::to_string(langIndex_) + "_Back" + std::to_string(radio->page));
}

void TForm1::Btn_Minimize_0Click() {
    showMinimized();
}

// ---- Feedback ------------------------------------------------------------------------------

void TForm1::ShowDisableAll() {
    CompletePages();
    for (int n = 1; n <= kSkinnedPageCopies; ++n)
        if (QWidget* cover = Control(Name("Disable_All_", n))) {
            cover->show();
            cover->raise();
        }
    // The frame buttons lie above the covers and stay usable under them. Without a mouse the
    // restore, save and load buttons do too: they say that no mouse is there instead of
    // taking the click silently.
    std::vector<std::string_view> above{"Exit", "Mini"};
    if (!mouse_->IsAccepted())
        above.insert(above.end(), {"Confirm1", "Confirm2", "Confirm3", "Save", "Load"});
    for (std::string_view family : above)
        for (int n = 1; n <= kSkinnedPageCopies; ++n) {
            if (QWidget* w = Control("Img_" + std::string(family) + "_" + std::to_string(n)))
                w->raise();
            if (QWidget* w = Control("Btn_" + std::string(family) + "_" + std::to_string(n)))
                w->raise();
        }
}

void TForm1::HideDisableAll() {
    CompletePages();
    for (int n = 1; n <= kSkinnedPageCopies; ++n)
        if (QWidget* cover = Control(Name("Disable_All_", n)))
            cover->hide();
}

void TForm1::RefreshFormMessagDialog(const QString& text) {
    // A closing window opens nothing: the dialog would stand alone on the desktop, and its loop
    // would run inside the window's end. The text is kept on standard error.
    if (closing_) {
        QString line = text;
        line.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        std::fprintf(stderr, "%s\n", qPrintable(line));
        return;
    }
    // A message raised while the window completes itself waits until it is complete: its
    // dialog's event loop would let the mouse's read land between two steps of the set-up.
    if (completion_ != nullptr && completion_->Running()) {
        completion_->AfterCompletion([this, text] { RefreshFormMessagDialog(text); });
        return;
    }
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    FormMessageDialog::Show(this, shown, Widen(fontName_), Widen(appTitle_));
}

// ---- Running label ---------------------------------------------------------------------------

void TForm1::StartRunningLabel(QWidget* label) {
    if (label == nullptr)
        return;
    // A hover whose leave never came (its page was hidden under the pointer) ends first, so
    // no label is left showing a scrolled caption.
    StopRunningLabel();
    runLabel_.Start(label->objectName().toStdString(), ControlCaption(label).toStdU16String());
    if (label->isEnabled())
        labelRun_.start();
}

void TForm1::StopRunningLabel() {
    labelRun_.stop();
    if (!runLabel_.Active())
        return;
    QWidget* label = Control(runLabel_.Name());
    const auto back =
        runLabel_.End(label != nullptr ? ControlCaption(label).toStdU16String() : u"");
    if (label != nullptr && back)
        SetControlCaption(label, QString::fromStdU16String(*back));
}

void TForm1::RestartRunningLabel() {
    if (!runLabel_.Active())
        return;
    if (QWidget* label = Control(runLabel_.Name()))
        runLabel_.Restart(ControlCaption(label).toStdU16String());
}

void TForm1::LabelRunTimer() {
    if (!settings_.TREnable || !runLabel_.Active())
        return;
    QWidget* label = Control(runLabel_.Name());
    if (label == nullptr)
        return;
    // Its page was switched away under the pointer: the hover is over.
    if (!label->isVisible()) {
        StopRunningLabel();
        return;
    }
    // A caption set under the hover is the one that scrolls (and comes back on the leave).
    runLabel_.Follow(ControlCaption(label).toStdU16String());
    if (auto text = runLabel_.Tick(true))
        SetControlCaption(label, QString::fromStdU16String(*text));
}

// ---- Hover of the frame, side menu and key labels ----------------------------------------------

void TForm1::HoverEnter(QWidget* label) {
    CompletePages();
    const std::string name = label->objectName().toStdString();
    if (IsKeyLabel(name)) {
        SetPicture("Img_" + name, "KeyS_02");
    } else if (const auto split = SplitCopyName(name)) {
        const std::string copyImage =
            "Img_" + std::string(split->family) + "_" + std::to_string(split->copy);
        if (split->family == "Exit") {
            SetPictureCopies("Exit", "ExitS_02");
        } else if (split->family == "Mini") {
            SetPictureCopies("Mini", "MiniS_02");
        } else if (split->family == "Web") {
            SetPictureCopies("Web", "WebS_02");
            return; // the web link does not roll its caption
        } else if (IsRestoreFamily(split->family)) {
            SetPictureCopies(split->family, "BtnS_02");
        } else {
            SetPicture(copyImage, "SetS_02");
            // The pointer is on its way to a page's button: that page's pictures decode now,
            // while it is still hidden, so that showing it seldom waits for them.
            if (const auto radio = RadioOfFamily(split->family))
                if (QWidget* page = Control(Name("gbPage", radio->page)))
                    PrefetchSkinPicturesOf(*page);
        }
    } else {
        return;
    }
    StartRunningLabel(label);
}

void TForm1::HoverLeave(QWidget* label) {
    CompletePages();
    const std::string name = label->objectName().toStdString();
    const auto split = SplitCopyName(name);
    if (split && split->family == "Web") {
        SetPictureCopies("Web", "WebS_01");
        return;
    }
    if (!IsKeyLabel(name) && !split)
        return;
    StopRunningLabel();
    if (IsKeyLabel(name)) {
        SetPicture("Img_" + name, "KeyS_01");
    } else {
        const std::string copyImage =
            "Img_" + std::string(split->family) + "_" + std::to_string(split->copy);
        if (split->family == "Exit") {
            SetPictureCopies("Exit", "ExitS_01");
        } else if (split->family == "Mini") {
            SetPictureCopies("Mini", "MiniS_01");
        } else if (IsRestoreFamily(split->family)) {
            SetPictureCopies(split->family, "BtnS_01");
        } else if (LangOfFamily(split->family) != 0) {
            SetPicture(copyImage, "SetS_01");
            SetPictureCopies("Lang" + std::to_string(langIndex_), "SetS_03");
        } else {
            SetPicture(copyImage, "SetS_01");
            // The current page's button shows selected again, not normal.
            const PageRadio& radio = kPageRadios[static_cast<std::size_t>(checkedRadio_ - 1)];
            SetPictureCopies(radio.family, "SetS_03");
        }
    }
}

} // namespace trvx
