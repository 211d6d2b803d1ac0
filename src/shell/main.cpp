// The program's entry: one copy per user, the main window on the mouse (a real one through
// hidraw, or the simulated one with TRVX_SIMULATE=i2c|flash), then the busy window, which
// starts the device polling.
#include "base/Clock.h"
#include "device/DefaultImageSet.h"
#include "platform/HeapMemory.h"
#include "platform/HidapiBackend.h"
#include "shell/ui/LoadingWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleInstance.h"
#include "sim/SimulatedBackendFromEnv.h"
#include "skin/ui/StartupTrace.h"

#include <QApplication>
#include <QFontDatabase>

#include <memory>
#include <thread>

int main(int argc, char** argv) {
    trvx::MarkStartup(trvx::StartupMark::Main);
    trvx::ShareHeapArenas();
    trvx::TForm1::PrefetchFirstPaint();
    // Window shapes, placement and global capture need X11; under Wayland that is XWayland.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    trvx::MarkStartup(trvx::StartupMark::App);
    // The desktop's fonts are found on a worker while the window is built: the window's first
    // text waits for them only if they are not ready by then.
    std::thread fonts([] { QFontDatabase::families(); });
    QApplication::setApplicationName(QStringLiteral("Gaming Mouse"));
    QApplication::setQuitOnLastWindowClosed(false);

    trvx::SingleInstance single(QString::fromLatin1(trvx::kMainWindowCaption));
    if (single.AskRunningCopy()) {
        fonts.join();
        return 0;
    }

    trvx::RealClock clock;
    std::unique_ptr<trvx::HidBackend> backend = trvx::SimulatedMouseFromEnv(clock);
    if (!backend)
        backend = std::make_unique<trvx::HidapiBackend>();

    trvx::MainWindowOptions options;
    options.backend = backend.get();
    options.clock = &clock;
    // TRVX_SIMULATE=flash or TRVX_STORAGE=flash: a program for flash mice.
    options.defaultImageSet = trvx::DefaultImageSetFromEnvironment();
    auto form = std::make_unique<trvx::TForm1>(options);
    trvx::MarkStartup(trvx::StartupMark::Form);
    QObject::connect(&single, &trvx::SingleInstance::raiseRequested, form.get(),
                     &trvx::TForm1::RestoreAndRaise);
    QObject::connect(form.get(), &trvx::TForm1::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    trvx::TraceFirstPaint(*form);
    form->show();
    trvx::MarkStartup(trvx::StartupMark::Shown);
    form->CreateLoadingWindow();
    const int result = QApplication::exec();
    form.reset();
    fonts.join();
    return result;
}
