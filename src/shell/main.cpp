// The program's entry point. Until the main window lands this opens the mouse (a real one
// through hidraw, or the simulated one with TRVX_SIMULATE=i2c|flash) and shows what it found.
#include "device/Clock.h"
#include "device/DefaultImages.h"
#include "device/DeviceLink.h"
#include "platform/HidapiBackend.h"
#include "platform/Resources.h"
#include "sim/SimulatedBackendFromEnv.h"

#include <QApplication>
#include <QLabel>
#include <QString>

#include <cstdio>
#include <memory>

namespace {

QString DescribeMouse(trvx::DeviceLink& link) {
    using namespace trvx;
    const auto facts = ReadDefaultImageHead(resource(kDefaultImageResources[0]));
    if (!facts)
        return QStringLiteral("The built-in default image is missing.");
    int version = 256;
    if (!link.OpenDevice(static_cast<std::uint16_t>(facts->DefaultVID),
                         static_cast<std::uint16_t>(facts->DefaultPID), version))
        return QStringLiteral("Not find the specified device");
    QString text = QStringLiteral("Mouse %1:%2 opened")
                       .arg(facts->DefaultVID, 4, 16, QLatin1Char('0'))
                       .arg(facts->DefaultPID, 4, 16, QLatin1Char('0'));
    if (const auto info = link.DeviceInformation(); info && (*info)[0] >= 0x40 && (*info)[1] == ':')
        text += (*info)[2] == 0x80   ? QStringLiteral(", storage type Flash")
                : (*info)[2] == 0xC0 ? QStringLiteral(", storage type I2C")
                                     : QStringLiteral(", unknown storage type");
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Gaming Mouse");

    trvx::RealClock clock;
    std::unique_ptr<trvx::HidBackend> backend = trvx::SimulatedMouseFromEnv(clock);
    if (!backend)
        backend = std::make_unique<trvx::HidapiBackend>();
    trvx::DeviceLink link(*backend, clock);

    const QString status = DescribeMouse(link);
    std::fprintf(stderr, "%s\n", status.toUtf8().constData());

    QLabel window(status);
    window.setWindowTitle("TRVX4410B Gaming Mouse v1.0");
    window.setAlignment(Qt::AlignCenter);
    window.resize(480, 120);
    window.show();
    return QApplication::exec();
}
