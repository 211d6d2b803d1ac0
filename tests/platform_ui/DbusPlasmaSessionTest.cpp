// Plasma's pointer settings over a session bus of the test's own (dbus-daemon), with a small
// stand-in for the compositor's input devices and a listener for the settings signal: the
// reads, the property writes and the signal really travel over D-Bus.
#include "platform/ui/DbusPlasmaSession.h"
#include "platform/PlasmaPointerSettings.h"
#include "sensitivity/AsyncPointerSettings.h"
#include "support/AtOnce.h"
#include "support/PointerOutcomes.h"
#include "support/Waiting.h"

#include "ChildProcess.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QProcess>
#include <QSemaphore>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace trvx {
namespace {

namespace fs = std::filesystem;

// What the stand-in compositor and listener were asked and told, from their own thread.
class Record {
public:
    void Add(const std::string& event) {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    std::vector<std::string> Take() {
        std::lock_guard lock(mutex_);
        return std::exchange(events_, {});
    }
    // Waits for an event that arrives on its own, such as a signal.
    bool WaitFor(const std::string& event) {
        return test::WaitUntil([&] {
            std::lock_guard lock(mutex_);
            return std::find(events_.begin(), events_.end(), event) != events_.end();
        });
    }

private:
    std::mutex mutex_;
    std::vector<std::string> events_;
};

class StandInManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDeviceManager")
    Q_PROPERTY(QStringList devicesSysNames READ devicesSysNames)
public:
    explicit StandInManager(QStringList nodes, QObject* parent)
        : QObject(parent), nodes_(std::move(nodes)) {}
    QStringList devicesSysNames() const { return nodes_; }

private:
    QStringList nodes_;
};

// One of the compositor's input devices, with the properties the program reads and sets.
class StandInDevice : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDevice")
    Q_PROPERTY(bool pointer READ pointer)
    Q_PROPERTY(bool touchpad READ touchpad)
    Q_PROPERTY(QString name READ name)
    Q_PROPERTY(bool supportsPointerAcceleration READ supports)
    Q_PROPERTY(double pointerAcceleration READ pointerAcceleration WRITE setPointerAcceleration)
    Q_PROPERTY(bool supportsPointerAccelerationProfileFlat READ supports)
    Q_PROPERTY(bool supportsPointerAccelerationProfileAdaptive READ supports)
    Q_PROPERTY(bool pointerAccelerationProfileFlat READ flat WRITE setFlat)
public:
    StandInDevice(std::string node, bool touchpad, double speed, bool flat, Record& record,
                  QObject* parent)
        : QObject(parent), node_(std::move(node)), touchpad_(touchpad), speed_(speed), flat_(flat),
          record_(record) {}
    bool pointer() const {
        record_.Add("asked " + node_);
        return true;
    }
    bool touchpad() const { return touchpad_; }
    QString name() const { return QStringLiteral("Gaming \"Mouse\" 2"); }
    bool supports() const { return true; }
    double pointerAcceleration() const { return speed_; }
    void setPointerAcceleration(double speed) {
        std::ostringstream event;
        event << "set " << node_ << " speed " << speed;
        record_.Add(event.str());
        speed_ = speed;
    }
    bool flat() const { return flat_; }
    void setFlat(bool flat) {
        record_.Add("set " + node_ + " flat " + (flat ? "1" : "0"));
        flat_ = flat;
    }

private:
    std::string node_;
    bool touchpad_;
    double speed_;
    bool flat_;
    Record& record_;
};

class SettingsListener : public QObject {
    Q_OBJECT
public:
    SettingsListener(Record& record, QObject* parent) : QObject(parent), record_(record) {}
public slots:
    void notifyChange(int type, int arg) {
        record_.Add("notifyChange " + std::to_string(type) + " " + std::to_string(arg));
    }

private:
    Record& record_;
};

const QString kProgram = QStringLiteral("trvx-test-program");
const QString kCompositor = QStringLiteral("trvx-test-compositor");

class PrivateSessionBus : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("plasma-bus-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        // A keyboard node, which sysfs says moves no pointer; the other nodes it does not know.
        fs::create_directories(dir_ / "input" / "event0" / "device" / "capabilities");
        std::ofstream(dir_ / "input" / "event0" / "device" / "capabilities" / "rel") << "0\n";

        const std::optional<QByteArray> address = test::StartForFirstLine(
            daemon_, "dbus-daemon", {"--session", "--print-address", "--nofork"});
        if (!address)
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_EQ(daemon_.state(), QProcess::Running) << "dbus-daemon did not start";
        ASSERT_FALSE(address->isEmpty()) << "dbus-daemon gave no address";
        const QString bus = QString::fromUtf8(*address);
        address_ = bus;

        // The stand-ins answer on a thread of their own: the program's calls block the thread
        // that makes them, as they block the window's.
        compositor_.emplace(QDBusConnection::connectToBus(bus, kCompositor));
        ASSERT_TRUE(compositor_->isConnected());
        root_ = new QObject;
        auto* manager = new StandInManager({"event0", "event3", "event7", "event9"}, root_);
        auto* mouse = new StandInDevice("event3", false, -0.4, true, record_, root_);
        auto* touchpad = new StandInDevice("event7", true, 0.1, false, record_, root_);
        auto* keyboard = new StandInDevice("event0", false, 0.0, false, record_, root_);
        auto* listener = new SettingsListener(record_, root_);
        root_->moveToThread(&thread_);
        thread_.start();
        const auto all = QDBusConnection::ExportAllProperties;
        const QString devices = QStringLiteral("/org/kde/KWin/InputDevice");
        ASSERT_TRUE(compositor_->registerObject(devices, manager, all));
        ASSERT_TRUE(compositor_->registerObject(devices + "/event3", mouse, all));
        ASSERT_TRUE(compositor_->registerObject(devices + "/event7", touchpad, all));
        ASSERT_TRUE(compositor_->registerObject(devices + "/event0", keyboard, all));
        ASSERT_TRUE(compositor_->connect(QString(), QStringLiteral("/KGlobalSettings"),
                                         QStringLiteral("org.kde.KGlobalSettings"),
                                         QStringLiteral("notifyChange"), listener,
                                         SLOT(notifyChange(int, int))));
        ASSERT_TRUE(compositor_->registerService(QStringLiteral("org.kde.KWin")));
        // A call answered after the signal's match rule was sent: the bus holds the rule.
        ASSERT_TRUE(compositor_->interface()->isServiceRegistered(QStringLiteral("org.kde.KWin")));

        program_.emplace(QDBusConnection::connectToBus(bus, kProgram));
        ASSERT_TRUE(program_->isConnected());
    }
    void TearDown() override {
        hang_.release();
        program_.reset();
        QDBusConnection::disconnectFromBus(kProgram);
        // The stand-ins go on their own thread while their connection still holds them, so it
        // forgets them as they go; a connection closed first would let go of them on its own
        // thread while they are being deleted on theirs.
        if (root_ != nullptr)
            QMetaObject::invokeMethod(
                root_, [this] { delete root_; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
        compositor_.reset();
        QDBusConnection::disconnectFromBus(kCompositor);
        test::Stop(daemon_);
        fs::remove_all(dir_);
    }
    std::unique_ptr<DbusPlasmaSession> Session(int timeoutMs = DbusPlasmaSession::kCallTimeoutMs) {
        return std::make_unique<DbusPlasmaSession>(*program_, dir_ / "input", timeoutMs);
    }
    // The stand-ins stop answering until the test ends, as a compositor that hangs.
    void Hang() {
        QMetaObject::invokeMethod(root_, [this] { hang_.acquire(); });
    }

    fs::path dir_;
    QProcess daemon_;
    QString address_;
    QThread thread_;
    QObject* root_ = nullptr;
    Record record_;
    QSemaphore hang_;
    std::optional<QDBusConnection> compositor_;
    std::optional<QDBusConnection> program_;
};

TEST_F(PrivateSessionBus, PlasmaSettingsAreReadAndSetOverTheBus) {
    PlasmaPointerSettings store(dir_ / "home", {dir_ / "xdg"}, Session());
    PointerState s = store.Read();
    EXPECT_EQ(s.speed, -0.4);
    EXPECT_EQ(s.acceleration, false); // the mouse's flat profile
    EXPECT_EQ(s.doubleClickMs, PlasmaPointerSettings::kDefaultDoubleClickMs);
    EXPECT_EQ(s.wheelLines, PlasmaPointerSettings::kDefaultWheelLines);
    // The keyboard's node is never asked about; the touchpad is, and is left out.
    std::vector<std::string> asked = record_.Take();
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<std::string>{"asked event3", "asked event7"}));

    PointerState wanted = s;
    wanted.speed = 0.2;
    ASSERT_TRUE(store.Write(PointerSetting::Speed, wanted).ok);
    wanted.acceleration = true;
    ASSERT_TRUE(store.Write(PointerSetting::Acceleration, wanted).ok);
    std::vector<std::string> sets;
    for (const std::string& event : record_.Take())
        if (event.starts_with("set "))
            sets.push_back(event);
    EXPECT_EQ(sets, (std::vector<std::string>{"set event3 speed 0.2", "set event3 flat 0"}));
    s = store.Read();
    EXPECT_EQ(s.speed, 0.2);
    EXPECT_EQ(s.acceleration, true);

    // The double-click time goes to the settings file, and running programs are told.
    wanted.doubleClickMs = 270;
    ASSERT_TRUE(store.Write(PointerSetting::DoubleClick, wanted).ok);
    EXPECT_TRUE(record_.WaitFor("notifyChange 3 0"));
    EXPECT_EQ(store.Read().doubleClickMs, 270);
}

TEST_F(PrivateSessionBus, RefusalsAndAHungCompositorAreToldInTime) {
    auto session = Session(300);
    const PointerResult refused = session->SetSpeed("event5", 0.1); // no such device
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("pointerAcceleration"), std::string::npos) << refused.error;
    EXPECT_NE(refused.error.find("org.freedesktop.DBus.Error"), std::string::npos) << refused.error;
    EXPECT_FALSE(session->SetSpeed("../../x", 0.1).ok);

    Hang();
    QElapsedTimer took;
    took.start();
    EXPECT_EQ(session->Mice(), std::nullopt);
    EXPECT_FALSE(session->SetFlat("event3", true).ok);
    // Ended by the session's own timeout, not by the bus's default of 25 s a call.
    EXPECT_LT(took.elapsed(), 20'000);
    // A signal waits for nobody.
    EXPECT_TRUE(session->AnnounceMouseSettings().ok);
}

TEST_F(PrivateSessionBus, ACompositorWithoutInputDevicesLeavesSpeedAndAccelerationOut) {
    // Plasma under X11: the compositor is on the bus but keeps no input devices.
    compositor_->unregisterObject(QStringLiteral("/org/kde/KWin/InputDevice"),
                                  QDBusConnection::UnregisterTree);
    PlasmaPointerSettings store(dir_ / "home", {dir_ / "xdg"}, Session());
    const PointerState s = store.Read();
    EXPECT_EQ(s.speed, std::nullopt);
    EXPECT_EQ(s.acceleration, std::nullopt);
    EXPECT_EQ(s.doubleClickMs, PlasmaPointerSettings::kDefaultDoubleClickMs);
    EXPECT_EQ(s.wheelLines, PlasmaPointerSettings::kDefaultWheelLines);
}

// The program makes every call from the pointer settings' own thread, which runs no event loop
// of Qt's: the blocking calls and the devices asked all at once work from there, and a hung
// compositor holds none of the window's calls.
TEST_F(PrivateSessionBus, TheSettingsThreadAsksTheBusWhileTheWindowsCallsAnswerAtOnce) {
    test::PointerOutcomes outcomes;
    // A call of the window's that waited for the hung compositor would wait for good: the
    // settings' calls outlast the test's wait. It is let through then, so the test ends.
    auto atOnce = [this](auto call) { return test::AtOnce(call, [this] { hang_.release(); }); };
    const int patient = static_cast<int>(2 * test::kWaitDeadline.count());

    Hang();
    AsyncPointerSettings settings([this, patient] {
        return std::make_unique<PlasmaPointerSettings>(
            dir_ / "home", std::vector<fs::path>{dir_ / "xdg"}, Session(patient));
    });
    struct LetGo {
        QSemaphore& hang;
        ~LetGo() { hang.release(); }
    } letGo{hang_};
    settings.ReportOutcomes(outcomes.Report());
    // The window does not wait for the early reading: it follows as an outcome.
    EXPECT_EQ(atOnce([&] { return settings.Read(); }), PointerState{});
    hang_.release();
    std::vector<PointerOutcome> got = outcomes.WaitFor(1);
    ASSERT_EQ(got.size(), 1u);
    PointerState wanted = got[0].state;
    EXPECT_EQ(wanted.speed, -0.4);

    // Nor for a click: it shows at once, and the compositor's answer follows.
    Hang();
    wanted.speed = 0.2;
    EXPECT_TRUE(atOnce([&] { return settings.Write(PointerSetting::Speed, wanted).ok; }));
    EXPECT_EQ(atOnce([&] { return settings.Read().speed; }), 0.2);
    hang_.release();
    got = outcomes.WaitFor(2);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_TRUE(got[1].write.ok) << got[1].write.error;
    EXPECT_EQ(got[1].state.speed, 0.2);
    const std::vector<std::string> events = record_.Take();
    EXPECT_NE(std::find(events.begin(), events.end(), "set event3 speed 0.2"), events.end());
}

// Finding the bus waits no longer than its limit for a bus that took the connection and does not
// answer (libdbus would wait for good): it counts as no bus. A bus that answers is taken.
TEST_F(PrivateSessionBus, ABusThatDoesNotAnswerIsWaitedForOnlyUntilTheLimit) {
    auto connectAs = [this](const QString& name) {
        return [address = address_, name] { return QDBusConnection::connectToBus(address, name); };
    };
    const QString prompt = QStringLiteral("trvx-test-prompt");
    const QString late = QStringLiteral("trvx-test-late");
    EXPECT_TRUE(
        BusConnectedWithin(connectAs(prompt), DbusPlasmaSession::kConnectTimeoutMs).isConnected());
    QDBusConnection::disconnectFromBus(prompt);

    ASSERT_EQ(kill(static_cast<pid_t>(daemon_.processId()), SIGSTOP), 0);
    struct GoOn {
        QProcess& daemon;
        ~GoOn() { kill(static_cast<pid_t>(daemon.processId()), SIGCONT); }
    } goOn{daemon_};
    // A finding that waited for the bus would wait for good: the bus goes on then, so the test
    // fails and still ends.
    auto finding =
        std::async(std::launch::async, [&] { return BusConnectedWithin(connectAs(late), 300); });
    const bool inTime = finding.wait_for(test::kWaitDeadline) == std::future_status::ready;
    if (!inTime)
        kill(static_cast<pid_t>(daemon_.processId()), SIGCONT);
    ASSERT_TRUE(inTime) << "the finding waited for the bus";
    const QDBusConnection none = finding.get();
    EXPECT_FALSE(none.isConnected());
    DbusPlasmaSession session(none);
    EXPECT_FALSE(session.CanAnnounce());
    EXPECT_EQ(session.Mice(), std::nullopt);

    // The connecting went on by itself, and ends once the bus answers.
    kill(static_cast<pid_t>(daemon_.processId()), SIGCONT);
    EXPECT_TRUE(test::WaitUntil([&] { return QDBusConnection(late).isConnected(); }));
    QDBusConnection::disconnectFromBus(late);
}

TEST(DbusPlasmaSession, WithoutABusNothingIsAskedOrAnnounced) {
    DbusPlasmaSession none(QDBusConnection(QStringLiteral("trvx-test-no-such-bus")));
    EXPECT_FALSE(none.CanAnnounce());
    EXPECT_EQ(none.Mice(), std::nullopt);
    EXPECT_FALSE(none.AnnounceMouseSettings().ok);
    EXPECT_FALSE(none.SetFlat("event3", true).ok);
}

} // namespace
} // namespace trvx

#include "DbusPlasmaSessionTest.moc"
