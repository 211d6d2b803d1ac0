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
    CompletePages();
    return SwitchLanguage(n, true);
}

bool TForm1::SwitchLanguage(int n, bool tellErrors) {
    auto switched = std::make_shared<bool>(false);
    for (const std::function<void()>& step : SwitchLanguageSteps(n, tellErrors, switched))
        step();
    return *switched;
}

std::vector<std::function<void()>> TForm1::SwitchLanguageSteps(int n, bool tellErrors,
                                                               std::shared_ptr<bool> switched) {
    if (n < 1 || n > 3)
        return {};
    std::vector<std::function<void()>> steps;
    // The set is read and checked whole before anything changes; on an error the window
    // keeps the set it shows.
    for (Page* page : pages_)
        steps.push_back([this, page] {
            if (PageReady(*page))
                page->LanguageSwitching();
        });
    steps.push_back([this, n] { keyCaptionLang_ = n; });
    auto error = std::make_shared<QString>();
    for (std::function<void()>& step : PassSteps(n, error))
        steps.push_back(std::move(step));
    steps.push_back([this, n, tellErrors, error, switched] {
        if (!error->isEmpty()) {
            keyCaptionLang_ = langIndex_;
            if (tellErrors)
                RefreshFormMessagDialog(*error);
            return;
        }
        *switched = true;
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
    });
    for (Page* page : pages_)
        steps.push_back([this, page, switched] {
            if (*switched && PageReady(*page))
                page->LanguageChanged();
        });
    steps.push_back([this, switched] {
        if (!*switched)
            return;
        if (trayIcon_ != nullptr)
            trayIcon_->setHint(Widen(appTitle_));
        RefreshAPPage();
        RestartRunningLabel();
    });
    return steps;
}

void TForm1::Btn_Web_0Click() {
    SetPictureCopies("Web", "WebS_03");
    if (settings_.WebEnable)
        QDesktopServices::openUrl(QUrl(Widen(settings_.WebAddress)));
}

void TForm1::SelectTermLanguage(std::uint8_t column) {
    CompletePages();
    termColumn_ = column;
    ApplyTermCaptions();
}

void TForm1::ApplyTermCaptions() {
    for (const std::function<void()>& step : TermCaptionSteps())
        step();
}

std::vector<std::function<void()>> TForm1::TermCaptionSteps() {
    // A control a step: a font change of a list box or combo box lays its items out anew.
    std::vector<std::function<void()>> steps;
    const QString fontName = QString::fromLatin1(kTermFontName.data(), kTermFontName.size());
    auto term = [this](std::uint8_t code) {
        std::string text;
        TermText(termColumn_, code, text);
        return Widen(text);
    };
    for (const TermCaption& c : TermCaptionTable())
        steps.push_back([this, &c, fontName, term] {
            QWidget* w = Control(c.control);
            if (w == nullptr)
                return;
            QFont font = w->font();
            font.setFamily(fontName);
            w->setFont(font);
            SetControlCaption(w, term(c.code));
        });
    for (const TermItems& items : TermItemsTable())
        steps.push_back([this, &items, term] {
            QStringList texts;
            for (std::uint8_t code : items.codes)
                texts << term(code);
            SetControlItems(Control(items.control), texts);
        });
    steps.push_back([this] { ledModeNames_ = trvx::LEDModeNames(termColumn_); });
    return steps;
}

} // namespace trvx
