// Pictures of the main window for review: every page in every language set, as PNG files.
//
//   snapshot OUTPUT_DIR [i2c|flash|none]
//
// Runs offscreen on the simulated mouse (I2C unless told otherwise) with a virtual clock, so
// it needs no display, no mouse and no waiting. Files: page<P>_lang<N>.png and busy.png; the
// see-through parts of the skin are transparent; the engineering page's hidden sheets also as
// page7_Engineer_lang<N>.png and page7_Gun_lang<N>.png. Messages the window shows are printed on
// stderr. Beside each page picture, page<P>_lang<N>.txt lists every visible named control with
// its place on the window and its text, so a layout change can be checked by numbers as well as
// by eye. The small dialogs (combination key, macro name, key line, delay) are rendered in every
// set too, as dialog_<kind>_lang<N>.png with a sample value in their edit, and the same list
// beside them.
#include "base/Clock.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinPageControl.h"
#include "controls/wide/ui/ClockTimer.h"
#include "controls/wide/ui/UniEdit.h"
#include "keys/ui/ComboKeyDialog.h"
#include "macros/ui/DelayDialog.h"
#include "macros/ui/KeyLineDialog.h"
#include "macros/ui/MacroNameDialog.h"
#include "pages/ui/ControlText.h"
#include "sensitivity/PointerSettings.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/LoadingWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"
#include "skin/ui/MainWindowControls.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <utility>

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// The window as it shows on the desktop: outside its shape nothing.
QImage Render(trvx::TForm1& form) {
    QImage image = form.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion shape = form.mask();
    if (!shape.isEmpty()) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect& r : QRegion(image.rect()).subtracted(shape))
            painter.fillRect(r, Qt::transparent);
    }
    return image;
}

// Shows one page as its menu button would; the fire page has no button of its own.
void ShowPage(trvx::TForm1& form, int page) {
    static constexpr std::array<std::string_view, 8> kFamilies{
        "", "Main", "Adv", "Breath", "Macro", "Update", "", "Engineer"};
    if (page == 6) {
        form.PageButtonClick("Main");
        for (int p = 1; p <= 7; ++p)
            if (QWidget* w = form.Control("gbPage" + std::to_string(p)))
                w->setVisible(p == 6);
        return;
    }
    form.PageButtonClick(kFamilies[static_cast<std::size_t>(page)]);
}

// The engineering page's two sheets that only the access code shows: their tabs are shown for
// the picture and hidden again. Files page7_<sheet>_lang<N>.png.
int RenderHiddenSheets(trvx::TForm1& form, const QString& outDir, int lang) {
    auto* pages = qobject_cast<trvx::SkinPageControl*>(form.Control("Pg_Parameter"));
    if (pages == nullptr)
        return 0;
    int failures = 0;
    trvx::SkinTabSheet* first = pages->activePage();
    for (const char* name : {"ts_Engineer", "ts_Gun"}) {
        auto* sheet = qobject_cast<trvx::SkinTabSheet*>(form.Control(name));
        if (sheet == nullptr)
            continue;
        sheet->setTabVisible(true);
        pages->setActivePage(sheet);
        Settle();
        const QString file = QStringLiteral("%1/page7_%2_lang%3.png")
                                 .arg(outDir, QString::fromLatin1(name + 3))
                                 .arg(lang);
        if (!Render(form).save(file, "PNG")) {
            std::fprintf(stderr, "snapshot: cannot write %s\n", file.toUtf8().constData());
            ++failures;
        }
        pages->setActivePage(first);
        sheet->setTabVisible(false);
    }
    Settle();
    return failures;
}

// One line per visible named control: name, x, y, width, height on the window, and its text.
bool WriteControls(const QWidget& form, const QString& file) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || !w->isVisibleTo(&form))
            continue;
        const QPoint at = w->mapTo(&form, QPoint(0, 0));
        // Wide labels and skinned controls too: the captions the pages show.
        QString text = trvx::ControlCaption(w);
        out.write(QStringLiteral("%1 %2 %3 %4 %5 \"%6\"\n")
                      .arg(w->objectName())
                      .arg(at.x())
                      .arg(at.y())
                      .arg(w->width())
                      .arg(w->height())
                      .arg(text.replace(QLatin1Char('\n'), QLatin1Char(' ')))
                      .toUtf8());
    }
    return out.error() == QFileDevice::NoError;
}

// The small dialogs as they open over the window, each with a value of the longest kind it
// takes. Files dialog_<kind>_lang<N>.png and .txt.
int RenderDialogs(trvx::TForm1& form, const QString& outDir, int lang) {
    trvx::ComboKeyDialog combo(form, 2, 2, form.Control("gbPage1"));
    combo.Open();
    for (trvx::SkinCheckBox* box : combo.Boxes())
        box->setChecked(true);
    combo.KeyDown(0x2C); // "Print Screen"
    combo.KeyDown(0x5D); // "Applications"
    QWidget* over = form.Control("gbPage4");
    trvx::MacroNameDialog name(form, over);
    name.Open();
    name.Edit()->setText(QStringLiteral("WWWWWWWW"));
    trvx::KeyLineDialog key(form, over);
    key.Open(0);
    key.KeyDown(0x5C); // the longest key name, "Right Windows"
    trvx::DelayDialog delay(form, over);
    delay.Open(0);
    delay.Edit()->setText(QStringLiteral("65535"));
    int failures = 0;
    for (const auto& [kind, dialog] : {std::pair<const char*, QWidget*>{"combo", &combo},
                                       {"name", &name},
                                       {"key", &key},
                                       {"delay", &delay}}) {
        Settle();
        const QString stem = QStringLiteral("%1/dialog_%2_lang%3").arg(outDir).arg(kind).arg(lang);
        if (!dialog->grab().toImage().save(stem + QStringLiteral(".png"), "PNG") ||
            !WriteControls(*dialog, stem + QStringLiteral(".txt"))) {
            std::fprintf(stderr, "snapshot: cannot write %s\n", stem.toUtf8().constData());
            ++failures;
        }
    }
    return failures;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: snapshot OUTPUT_DIR [i2c|flash|none]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gaming Mouse"));

    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "snapshot: cannot create %s\n", argv[1]);
        return 1;
    }
    const std::string_view device = argc > 2 ? argv[2] : "i2c";
    if (device != "i2c" && device != "flash" && device != "none") {
        std::fprintf(stderr, "snapshot: the mouse is i2c, flash or none\n");
        return 2;
    }
    const trvx::StorageKind kind =
        device == "flash" ? trvx::StorageKind::Flash : trvx::StorageKind::I2C;

    trvx::FormMessageDialog::setResponder([](const QString& text) {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    });

    trvx::VirtualClock clock;
    // The window's timers run on the virtual clock: nothing fires behind the pictures' backs.
    trvx::VirtualTimerScheduler timers(clock);
    trvx::VirtualTimerScheduler::SetCurrent(&timers);
    trvx::SimulatedMouse mouse(kind, clock);
    if (device == "none")
        mouse.Unplug();

    trvx::MainWindowOptions options;
    options.backend = &mouse;
    options.clock = &clock;
    options.screenSize = QSize(1920, 1080);
    options.trayIcon = false;
    // A flash mouse is shown by the program built for flash mice.
    options.defaultImageSet = kind;
    // Pointer settings of a desktop that keeps speed, acceleration and double-click time
    // but no wheel lines, so the window never changes the real desktop's.
    options.pointerSettings = [] {
        auto fake = std::make_unique<trvx::FakePointerSettings>();
        fake->state.speed = 0.0;
        fake->state.acceleration = false;
        fake->state.doubleClickMs = 400;
        return fake;
    };
    auto form = std::make_unique<trvx::TForm1>(options);
    form->show();
    form->CreateLoadingWindow();
    // The poll is driven here, one tick, instead of by the timer.
    form->DevTimer().stop();
    form->PollDevice();
    form->Worker().WaitIdle();
    form->DevTimer().stop();
    Settle();

    int failures = 0;
    for (int lang = 1; lang <= 3; ++lang) {
        if (!form->LangButtonClick(lang))
            ++failures;
        for (int page = 1; page <= 7; ++page) {
            ShowPage(*form, page);
            Settle();
            const QString file =
                QStringLiteral("%1/page%2_lang%3.png").arg(outDir).arg(page).arg(lang);
            if (!Render(*form).save(file, "PNG")) {
                std::fprintf(stderr, "snapshot: cannot write %s\n", file.toUtf8().constData());
                ++failures;
            }
            const QString list =
                QStringLiteral("%1/page%2_lang%3.txt").arg(outDir).arg(page).arg(lang);
            if (!WriteControls(*form, list)) {
                std::fprintf(stderr, "snapshot: cannot write %s\n", list.toUtf8().constData());
                ++failures;
            }
        }
        failures += RenderHiddenSheets(*form, outDir, lang);
        failures += RenderDialogs(*form, outDir, lang);
    }
    // The busy window as it turns, on its first frame.
    if (trvx::TFormLoadingUI* busy = form->FormLoadingUI()) {
        const QString file = QStringLiteral("%1/busy.png").arg(outDir);
        if (!busy->grab().toImage().save(file, "PNG"))
            ++failures;
    }
    form->PageButtonClick("Main");
    form.reset();
    trvx::VirtualTimerScheduler::SetCurrent(nullptr);
    return failures == 0 ? 0 : 1;
}
