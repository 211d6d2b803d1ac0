// The Plasma session bus through dbus-send: the replies it prints read back, the calls a
// stand-in tool sees, and the mouse-settings signal on a real bus of the test's own.
#include "platform/DbusPlasmaSession.h"
#include "platform/ToolRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace trvx {
namespace {

namespace fs = std::filesystem;

// As dbus-send 1.14 prints them.
const char* kSysNamesReply =
    "method return time=1796952018.049958 sender=:1.5 -> destination=:1.0 serial=3 "
    "reply_serial=2\n"
    "   variant       array [\n"
    "         string \"event0\"\n"
    "         string \"event3\"\n"
    "         string \"event7\"\n"
    "      ]\n";

const char* kMouseReply =
    "method return time=1796952018.074535 sender=:1.5 -> destination=:1.1 serial=9 "
    "reply_serial=2\n"
    "   array [\n"
    "      dict entry(\n"
    "         string \"pointer\"\n"
    "         variant             boolean true\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"name\"\n"
    "         variant             string \"Gaming \"Mouse\" 2\"\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"size\"\n"
    "         variant             struct {\n"
    "               double 0\n"
    "               double 0\n"
    "            }\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"defaultCalibrationMatrix\"\n"
    "         variant             array [\n"
    "               double 1\n"
    "               double 0\n"
    "            ]\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"vendor\"\n"
    "         variant             uint32 4617\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"touchpad\"\n"
    "         variant             boolean false\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"supportsPointerAcceleration\"\n"
    "         variant             boolean true\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"pointerAcceleration\"\n"
    "         variant             double -0.4\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"supportsPointerAccelerationProfileFlat\"\n"
    "         variant             boolean true\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"supportsPointerAccelerationProfileAdaptive\"\n"
    "         variant             boolean true\n"
    "      )\n"
    "      dict entry(\n"
    "         string \"pointerAccelerationProfileFlat\"\n"
    "         variant             boolean true\n"
    "      )\n"
    "   ]\n";

TEST(DbusSendReplies, ArraysAndPropertiesReadBack) {
    EXPECT_EQ(ParseStringArrayReply(kSysNamesReply),
              (std::vector<std::string>{"event0", "event3", "event7"}));
    EXPECT_EQ(ParseStringArrayReply("method return ...\n   array [\n   ]\n"),
              std::vector<std::string>{});
    EXPECT_EQ(ParseStringArrayReply("method return ...\n   uint32 0\n"), std::nullopt);
    EXPECT_EQ(ParseStringArrayReply("method return ...\n   array [\n   string \"cut"),
              std::nullopt);

    const auto p = ParsePropertiesReply(kMouseReply);
    EXPECT_EQ(p.at("pointer"), "true");
    EXPECT_EQ(p.at("name"), "Gaming \"Mouse\" 2");
    EXPECT_EQ(p.at("vendor"), "4617");
    EXPECT_EQ(p.at("pointerAcceleration"), "-0.4");
    EXPECT_EQ(p.count("size"), 0u);
    EXPECT_EQ(p.count("defaultCalibrationMatrix"), 0u);
    EXPECT_TRUE(ParsePropertiesReply("Error org.freedesktop.DBus.Error.UnknownObject").empty());
}

class InputClass : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("dbus-session-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void Node(const std::string& name, const std::string& rel) {
        fs::create_directories(dir / "input" / name / "device" / "capabilities");
        std::ofstream(dir / "input" / name / "device" / "capabilities" / "rel") << rel << "\n";
    }
};

TEST_F(InputClass, RelativePointersAreTheNodesWithBothAxes) {
    struct Case {
        const char* rel;
        bool pointer;
    };
    // The lowest word is printed last.
    const Case cases[] = {{"103", true},  {"1943", true}, {"0", false},     {"1", false},
                          {"2 0", false}, {"0 3", true},  {"garbage", true}};
    int n = 0;
    for (const Case& c : cases) {
        const std::string node = "event" + std::to_string(n++);
        Node(node, c.rel);
        EXPECT_EQ(MovesRelativePointer(dir / "input", node), c.pointer) << c.rel;
    }
    // Unknown to sysfs: asked about rather than missed.
    EXPECT_TRUE(MovesRelativePointer(dir / "input", "event99"));
}

// A stand-in dbus-send: logs its arguments one a line, answers the compositor's device list
// and each device's properties, and fails where told.
TEST_F(InputClass, TheCompositorIsAskedOnlyAboutPointersAndSetsWhatIsWritten) {
    Node("event0", "0");    // a keyboard: never asked about
    Node("event3", "103");  // the mouse
    Node("event7", "1943"); // a touchpad's pointer node, as the compositor says
    std::ofstream(dir / "mouse.txt") << kMouseReply;
    std::string touchpad = kMouseReply;
    touchpad.replace(touchpad.find("\"touchpad\"\n         variant             boolean false"),
                     std::string("\"touchpad\"\n         variant             boolean false").size(),
                     "\"touchpad\"\n         variant             boolean true");
    std::ofstream(dir / "touchpad.txt") << touchpad;
    std::ofstream(dir / "list.txt") << kSysNamesReply;
    const fs::path tool = dir / "dbus-send";
    const fs::path log = dir / "log";
    std::ofstream(tool) << "#!/bin/sh\n"
                           "for a in \"$@\"; do echo \"$a\" >> '"
                        << log.string()
                        << "'; done\n"
                           "echo -- >> '"
                        << log.string()
                        << "'\n"
                           "case \"$*\" in\n"
                           "  *devicesSysNames*) cat '"
                        << (dir / "list.txt").string()
                        << "' ;;\n"
                           "  *InputDevice/event3*GetAll*) cat '"
                        << (dir / "mouse.txt").string()
                        << "' ;;\n"
                           "  *InputDevice/event7*GetAll*) cat '"
                        << (dir / "touchpad.txt").string()
                        << "' ;;\n"
                           "  *Set*) if [ -n \"$REFUSE\" ]; then\n"
                           "      echo 'Error org.freedesktop.DBus.Error.AccessDenied: no' >&2; "
                           "exit 1; fi ;;\n"
                           "esac\n";
    fs::permissions(tool, fs::perms::owner_all);

    DbusSendPlasmaSession session(tool.string(), dir / "input");
    EXPECT_TRUE(session.CanAnnounce());
    const auto mice = session.Mice();
    ASSERT_TRUE(mice);
    ASSERT_EQ(mice->size(), 1u);
    EXPECT_EQ((*mice)[0].sysName, "event3");
    EXPECT_TRUE((*mice)[0].speedSettable);
    EXPECT_DOUBLE_EQ((*mice)[0].speed, -0.4);
    EXPECT_TRUE((*mice)[0].profileSettable);
    EXPECT_TRUE((*mice)[0].flat);

    std::ifstream in(log);
    std::stringstream calls;
    calls << in.rdbuf();
    EXPECT_EQ(calls.str(), "--session\n--print-reply\n--reply-timeout=2000\n--dest=org.kde.KWin\n"
                           "/org/kde/KWin/InputDevice\norg.freedesktop.DBus.Properties.Get\n"
                           "string:org.kde.KWin.InputDeviceManager\nstring:devicesSysNames\n--\n"
                           "--session\n--print-reply\n--reply-timeout=2000\n--dest=org.kde.KWin\n"
                           "/org/kde/KWin/InputDevice/event3\n"
                           "org.freedesktop.DBus.Properties.GetAll\n"
                           "string:org.kde.KWin.InputDevice\n--\n"
                           "--session\n--print-reply\n--reply-timeout=2000\n--dest=org.kde.KWin\n"
                           "/org/kde/KWin/InputDevice/event7\n"
                           "org.freedesktop.DBus.Properties.GetAll\n"
                           "string:org.kde.KWin.InputDevice\n--\n");

    fs::remove(log);
    EXPECT_TRUE(session.SetSpeed("event3", 0.4).ok);
    EXPECT_TRUE(session.SetFlat("event3", false).ok);
    EXPECT_FALSE(session.SetSpeed("../../x", 0.4).ok);
    std::ifstream in2(log);
    std::stringstream sets;
    sets << in2.rdbuf();
    const std::string prefix = "--session\n--print-reply\n--reply-timeout=2000\n"
                               "--dest=org.kde.KWin\n/org/kde/KWin/InputDevice/event3\n"
                               "org.freedesktop.DBus.Properties.Set\n"
                               "string:org.kde.KWin.InputDevice\n";
    EXPECT_EQ(sets.str(), prefix + "string:pointerAcceleration\nvariant:double:0.400\n--\n" +
                              prefix +
                              "string:pointerAccelerationProfileFlat\nvariant:boolean:false\n--\n");

    setenv("REFUSE", "1", 1);
    const PointerResult refused = session.SetSpeed("event3", 0.4);
    unsetenv("REFUSE");
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("AccessDenied"), std::string::npos) << refused.error;

    // No tool, no bus.
    DbusSendPlasmaSession none((dir / "missing").string(), dir / "input");
    EXPECT_FALSE(none.CanAnnounce());
    EXPECT_EQ(none.Mice(), std::nullopt);
    EXPECT_FALSE(none.AnnounceMouseSettings().ok);
}

// A session bus of the test's own, watched by dbus-monitor while the signal goes out.
TEST(DbusSendSignal, TheMouseSettingsSignalReachesTheBus) {
    if (!ToolOnPath("dbus-daemon") || !ToolOnPath("dbus-monitor") || !ToolOnPath("dbus-send"))
        GTEST_SKIP() << "dbus-daemon, dbus-monitor or dbus-send is not installed";
    int addressPipe[2];
    ASSERT_EQ(pipe(addressPipe), 0);
    const pid_t daemon = fork();
    if (daemon == 0) {
        close(addressPipe[0]);
        const std::string fd = "--print-address=" + std::to_string(addressPipe[1]);
        execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", fd.c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(addressPipe[1]);
    std::string address;
    char c = 0;
    while (read(addressPipe[0], &c, 1) == 1 && c != '\n')
        address += c;
    close(addressPipe[0]);
    ASSERT_FALSE(address.empty());
    const char* previous = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);

    int monitorPipe[2];
    ASSERT_EQ(pipe(monitorPipe), 0);
    const pid_t monitor = fork();
    if (monitor == 0) {
        close(monitorPipe[0]);
        dup2(monitorPipe[1], 1);
        execlp("dbus-monitor", "dbus-monitor", "--session",
               "type='signal',interface='org.kde.KGlobalSettings'", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(monitorPipe[1]);
    std::string seen;
    auto readUntil = [&](const std::string& text) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (seen.find(text) == std::string::npos && std::chrono::steady_clock::now() < end) {
            char buffer[512];
            const ssize_t n = read(monitorPipe[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            seen.append(buffer, static_cast<std::size_t>(n));
        }
        return seen.find(text) != std::string::npos;
    };
    // dbus-monitor says it has become a monitor by losing its own name.
    const bool watching = readUntil("NameLost");
    PointerResult sent;
    if (watching)
        sent = DbusSendPlasmaSession().AnnounceMouseSettings();
    const bool received = watching && readUntil("int32 0");

    kill(monitor, SIGTERM);
    waitpid(monitor, nullptr, 0);
    close(monitorPipe[0]);
    kill(daemon, SIGTERM);
    waitpid(daemon, nullptr, 0);
    if (previous != nullptr)
        setenv("DBUS_SESSION_BUS_ADDRESS", saved.c_str(), 1);
    else
        unsetenv("DBUS_SESSION_BUS_ADDRESS");

    ASSERT_TRUE(watching) << seen;
    EXPECT_TRUE(sent.ok) << sent.error;
    ASSERT_TRUE(received) << seen;
    const std::string signal = seen.substr(seen.rfind("signal time="));
    EXPECT_NE(signal.find("path=/KGlobalSettings; interface=org.kde.KGlobalSettings; "
                          "member=notifyChange"),
              std::string::npos)
        << signal;
    EXPECT_NE(signal.find("int32 3\n   int32 0"), std::string::npos) << signal;
}

TEST(ToolRun, AToolThatHangsIsKilledAtTheDeadline) {
    // Long enough for the tool to have started and printed on a loaded machine, far below its
    // 30 s sleep.
    constexpr int deadlineMs = 2000;
    const auto start = std::chrono::steady_clock::now();
    const ToolRun r = RunTool({"sh", "-c", "echo started; exec sleep 30"}, deadlineMs);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(10));
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.out, "started\n");
    EXPECT_NE(r.err.find("did not answer"), std::string::npos) << r.err;

    // One that closes its output and goes on running is held to the same deadline.
    const auto quietStart = std::chrono::steady_clock::now();
    const ToolRun quiet = RunTool({"sh", "-c", "echo started; exec sleep 30 >&- 2>&-"}, deadlineMs);
    EXPECT_LT(std::chrono::steady_clock::now() - quietStart, std::chrono::seconds(10));
    EXPECT_EQ(quiet.status, -1);
    EXPECT_EQ(quiet.out, "started\n");
    EXPECT_NE(quiet.err.find("did not answer"), std::string::npos) << quiet.err;

    const ToolRun missing = RunTool({"/nonexistent/tool"});
    EXPECT_EQ(missing.status, 127);
    const ToolRun ok = RunTool({"sh", "-c", "echo out; echo err >&2; exit 3"});
    EXPECT_EQ(ok.status, 3);
    EXPECT_EQ(ok.out, "out\n");
    EXPECT_EQ(ok.err, "err\n");
}

} // namespace
} // namespace trvx
