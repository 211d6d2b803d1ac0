#pragma once
// One page of the main window: it finds its own controls by name, holds their handlers, and
// takes its share of the window-wide moments (the fill after a whole-image read, the no-device
// fill, a language switch, being shown by the side menu, the listener's news).

#include "controls/wide/ui/UniLabel.h"
#include "device/WorkingModel.h"
#include "pages/ui/PageHost.h"
#include "skin/ui/SkinPicture.h"

#include <QObject>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace trvx {

class Page : public QObject {
    Q_OBJECT
public:
    Page(PageHost& host, int pageNumber, QObject* parent = nullptr);
    ~Page() override;

    // The page's number in the window (gbPage1 .. gbPage7).
    int PageNumber() const { return pageNumber_; }

    // Connects the page's controls to its handlers; called once, after the window's controls
    // exist.
    virtual void Wire() {}
    // The page shows the working image just read from the mouse (FillingUI is set).
    virtual void FillFromImage(StorageKind /*kind*/) {}
    // The page shows the no-device state (the working image holds default image 1).
    virtual void FillNoDevice() {}
    // The layout pass has applied a set's layout and captions: captions the page builds from
    // texts (key names, say) are built again in that set. Runs at start and on every switch.
    virtual void CaptionsApplied() {}
    // A language switch is about to apply a new set, and has ended (only after a switch that
    // applied the set).
    virtual void LanguageSwitching() {}
    virtual void LanguageChanged() {}
    // The page has just been made the visible one by the side menu (radio 1..8).
    virtual void Shown(int /*radio*/) {}
    // The mouse reported its current profile: the side menu shows that radio next, and the page
    // shows it without writing it back.
    virtual void ProfileReported(int /*radio*/) {}
    // The engineering page is a plain form of its own size; the others take the skin's.
    virtual bool OwnWindowSize() const { return false; }
    // The page is shown again without a switch (after a language switch).
    virtual void Reshown() {}
    // The window is being taken down: work the page runs on threads of its own ends now, while
    // the window still takes what that work reports (and, closing, shows none of it).
    virtual void WindowEnding() {}

    // The mouse's own buttons (listener news on the UI thread).
    virtual void InputButton(int /*button*/, bool /*held*/) {}
    virtual void CurrentCpi(int /*level*/) {}
    // Key entries changed outside the key pages (a device macro moved or went away): the
    // captions built from them follow.
    virtual void KeyEntriesChanged() {}
    // A palette colour was changed on another page: its swatches and edits follow.
    virtual void PaletteChanged() {}

    QWidget* Control(std::string_view name) const { return host_.Control(name); }

protected:
    PageHost& Host() const { return host_; }
    // Writes nothing while the pages are filled or no mouse is shown: most handlers start so.
    bool Filling() const { return host_.FillingUI(); }
    // The colour dialog, opened on a colour of the mouse; nothing when the user cancels.
    std::optional<RgbColour> ChooseRgb(const RgbColour& initial) const;
    // A button-like label over its picture: under the pointer the picture shows `hover` and
    // the caption runs (the window's running label); after the leave the picture shows
    // `normal` and the label its caption again.
    void WireHoverButton(std::string_view label, std::string picture, std::string hover,
                         std::string normal);

private:
    PageHost& host_;
    int pageNumber_;
};

// "stem" + n, the names of numbered control families ("Key" 3 -> "Key3").
std::string NumberedName(std::string_view stem, int n);

// The item height of a skinned or wide list box; other controls are left alone.
void SetListItemHeight(QWidget* list, int height);

// Connects the click of a skin picture or a wide label (the program's button-like controls);
// other controls are left alone.
template <class F> void OnClick(QWidget* w, QObject* context, F f) {
    if (auto* picture = qobject_cast<SkinPicture*>(w))
        QObject::connect(picture, &SkinPicture::clicked, context, f);
    else if (auto* label = qobject_cast<TUniLabel*>(w))
        QObject::connect(label, &TUniLabel::clicked, context, f);
}

// Numbers in these edits are right-aligned.
void AlignNumberEdits(const Page& page, std::initializer_list<const char*> names);

} // namespace trvx
