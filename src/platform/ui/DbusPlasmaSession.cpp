#include "platform/ui/DbusPlasmaSession.h"

#include "platform/PlasmaInputDevices.h"
#include "platform/SingleFlightCall.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>

#include <algorithm>
#include <chrono>
#include <utility>

namespace trvx {
namespace fs = std::filesystem;

namespace {

const QString kCompositor = QStringLiteral("org.kde.KWin");
const QString kDevicePath = QStringLiteral("/org/kde/KWin/InputDevice");
const QString kManagerInterface = QStringLiteral("org.kde.KWin.InputDeviceManager");
const QString kDeviceInterface = QStringLiteral("org.kde.KWin.InputDevice");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

QString DevicePath(const std::string& sysName) {
    return kDevicePath + QLatin1Char('/') + QString::fromStdString(sysName);
}

std::string ErrorText(const char* what, const QDBusError& error) {
    return std::string(what) + ": " + error.name().toStdString() + ": " +
           error.message().toStdString();
}

InputDeviceProperties PlainProperties(const QVariantMap& map) {
    InputDeviceProperties properties;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const int type = it.value().typeId();
        if (type == QMetaType::Bool)
            properties[it.key().toStdString()] = it.value().toBool();
        else if (type == QMetaType::Double)
            properties[it.key().toStdString()] = it.value().toDouble();
    }
    return properties;
}

} // namespace

DbusPlasmaSession::DbusPlasmaSession(QDBusConnection bus, fs::path inputClass, int timeoutMs)
    : bus_(std::move(bus)), inputClass_(std::move(inputClass)), timeoutMs_(timeoutMs) {}

bool DbusPlasmaSession::CanAnnounce() {
    return bus_.isConnected();
}

PointerResult DbusPlasmaSession::AnnounceMouseSettings() {
    // A signal waits for no answer: it is queued on the connection and the call returns.
    QDBusMessage change = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                     QStringLiteral("org.kde.KGlobalSettings"),
                                                     QStringLiteral("notifyChange"));
    change << 3 << 0;
    if (!bus_.send(change))
        return {false, ErrorText("notifyChange", bus_.lastError())};
    return {};
}

std::optional<std::vector<PlasmaMouse>> DbusPlasmaSession::Mice() {
    QDBusMessage list = QDBusMessage::createMethodCall(kCompositor, kDevicePath, kProperties,
                                                       QStringLiteral("Get"));
    list << kManagerInterface << QStringLiteral("devicesSysNames");
    const QDBusMessage names = bus_.call(list, QDBus::Block, timeoutMs_);
    if (names.type() != QDBusMessage::ReplyMessage || names.arguments().size() != 1)
        return std::nullopt;
    const QVariant nodes = qvariant_cast<QDBusVariant>(names.arguments().at(0)).variant();
    if (nodes.typeId() != QMetaType::QStringList)
        return std::nullopt;
    // The devices are asked all at once, so a read waits at most twice the timeout.
    std::vector<std::pair<std::string, QDBusPendingCall>> asked;
    for (const QString& name : nodes.toStringList()) {
        const std::string node = name.toStdString();
        if (!ValidNodeName(node) || !MovesRelativePointer(inputClass_, node))
            continue;
        QDBusMessage all = QDBusMessage::createMethodCall(kCompositor, DevicePath(node),
                                                          kProperties, QStringLiteral("GetAll"));
        all << kDeviceInterface;
        asked.emplace_back(node, bus_.asyncCall(all, timeoutMs_));
    }
    std::vector<PlasmaMouse> mice;
    for (auto& [node, call] : asked) {
        // The reply is taken as a plain message: typing the pending call while its reply
        // arrives races inside Qt's D-Bus module.
        call.waitForFinished();
        const QDBusMessage reply = call.reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
            continue;
        const auto properties = qdbus_cast<QVariantMap>(reply.arguments().at(0));
        if (auto mouse = MouseOfDevice(node, PlainProperties(properties)))
            mice.push_back(*mouse);
    }
    return mice;
}

PointerResult DbusPlasmaSession::SetProperty(const std::string& sysName, const char* property,
                                             const QVariant& value) {
    if (!ValidNodeName(sysName))
        return {false, std::string(property) + ": no such input device"};
    QDBusMessage set = QDBusMessage::createMethodCall(kCompositor, DevicePath(sysName), kProperties,
                                                      QStringLiteral("Set"));
    set << kDeviceInterface << QString::fromLatin1(property)
        << QVariant::fromValue(QDBusVariant(value));
    const QDBusMessage reply = bus_.call(set, QDBus::Block, timeoutMs_);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {false, ErrorText(property, QDBusError(reply))};
    return {};
}

PointerResult DbusPlasmaSession::SetSpeed(const std::string& sysName, double speed) {
    return SetProperty(sysName, "pointerAcceleration", std::clamp(speed, -1.0, 1.0));
}

PointerResult DbusPlasmaSession::SetFlat(const std::string& sysName, bool flat) {
    return SetProperty(sysName, "pointerAccelerationProfileFlat", flat);
}

QDBusConnection BusConnectedWithin(const std::function<QDBusConnection()>& connect, int timeoutMs) {
    SingleFlightCall connecting([connect] { connect(); });
    if (connecting.RunWithin(std::chrono::milliseconds(timeoutMs)))
        return connect();
    // Unnamed, so that it asks nothing of Qt's D-Bus thread, which the connecting holds.
    return QDBusConnection(QString());
}

} // namespace trvx
