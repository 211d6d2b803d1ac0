#include "shell/ui/MainWindowParts.h"

#include "controls/skinned/ui/TrayIcon.h"
#include "pages/ui/ControlText.h"
#include "pages/ui/Page.h"
#include "shell/TermCaptions.h"
#include "shell/TermTable.h"
#include "shell/ui/DeviceWorker.h"
#include "skin/ui/MainWindowControls.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QUrl>

// The language sets: the layout and caption pass of a set, the term captions, the web link.

namespace trvx {

// ---- Languages -------------------------------------------------------------------------------

const CaptionSection& TForm1::CaptionsOfSet(int n) const {
    const auto index = static_cast<std::size_t>(std::clamp(n, 1, 3) - 1);
    if (!captionSets_[index]) {
        auto read = ReadCaptionSection("lang" + std::to_string(index + 1));
        captionSets_[index] = read ? *read : CaptionSection();
    }
    return *captionSets_[index];
}

bool TForm1::LangButtonClick(int n) {
    if (n < 1 || n > 3)
        return false;
    // The set is read and checked whole before anything changes; on an error the window
    // keeps the set it shows.
    for (Page* page : pages_)
        page->LanguageSwitching();
    keyCaptionLang_ = n;
    const QString error = RunLayoutPass(n);
    if (!error.isEmpty()) {
        keyCaptionLang_ = langIndex_;
        RefreshFormMessagDialog(error);
        return false;
    }

    for (int lang = 1; lang <= 3; ++lang)
        SetPictureCopies("Lang" + std::to_string(lang), lang == n ? "SetS_03" : "SetS_01");
    if (auto* radio = qobject_cast<QAbstractButton*>(Control(Name("rb_Lang", n))))
        radio->setChecked(true);
    langIndex_ = n;
    appTitle_ = layout_.AppTitle;
    fontName_ = layout_.FontName;
    noDeviceText_ = layout_.NoDeviceText;
    if (poller_ != nullptr) {
        // The poller reads its texts on the device thread; hand them over there.
        worker_->Post([this, texts = PollerTexts()] { poller_->SetTexts(texts); });
    }
    for (Page* page : pages_)
        page->LanguageChanged();
    if (trayIcon_ != nullptr)
        trayIcon_->setHint(Widen(appTitle_));
    RefreshAPPage();
    RestartRunningLabel();
    return true;
}

void TForm1::Btn_Web_0Click() {
    SetPictureCopies("Web", "WebS_03");
    if (settings_.WebEnable)
        QDesktopServices::openUrl(QUrl(Widen(settings_.WebAddress)));
}

void TForm1::SelectTermLanguage(std::uint8_t column) {
    termColumn_ = column;
    ApplyTermCaptions();
}

void TForm1::ApplyTermCaptions() {
    const QString fontName = QString::fromLatin1(kTermFontName.data(), kTermFontName.size());
    auto term = [this](std::uint8_t code) {
        std::string text;
        TermText(termColumn_, code, text);
        return Widen(text);
    };
    for (const TermCaption& c : TermCaptionTable()) {
        QWidget* w = Control(c.control);
        if (w == nullptr)
            continue;
        QFont font = w->font();
        font.setFamily(fontName);
        w->setFont(font);
        SetControlCaption(w, term(c.code));
    }
    for (const TermItems& items : TermItemsTable()) {
        QStringList texts;
        for (std::uint8_t code : items.codes)
            texts << term(code);
        SetControlItems(Control(items.control), texts);
    }
    ledModeNames_ = trvx::LEDModeNames(termColumn_);
}

} // namespace trvx
