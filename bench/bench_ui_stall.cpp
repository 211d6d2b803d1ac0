// How long the real program's UI thread holds at most once its window is up: the program runs
// on a private Xvfb (TRVX_SIMULATE=i2c, the simulated mouse, and TRVX_SIMULATE=none, the
// simulation with no mouse plugged in), and from outside, as a window manager does, this
// benchmark sends its main window a _NET_WM_PING every 2 ms. The toolkit answers a ping from the
// UI thread's event loop, so the longest time a ping waits for its answer is the longest hold.
// Counted are the pings sent from a quarter second after the first paint to 10 s after the
// launch; three rounds each.
// Usage: bench_ui_stall [program [i2c|none]]   (the program of this build when none is named;
// both cases when none is named). With TRVX_STALL_LOG=<file> the program's error output of each
// round is appended to that file.
// Prints per case
//   longest UI-thread hold (median of the rounds) / 16 ms (one frame)     (bound 1.00)
// with when the longest holds came, and for scale the same for a plain Qt window of the same
// size, started the same way in turns with the program.
#include "PlainWindow.h"
#include "ProgramLaunch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using bench::MonotonicNs;
using bench::Ms;
using bench::PrintProgramErrors;
using bench::RunPlainWindow;
using bench::TracedLaunch;
using bench::Xvfb;

constexpr int kRounds = 3;
constexpr double kBoundMs = 16.0;
constexpr std::int64_t kSettleNs = 250'000'000;      // after the first paint
constexpr std::int64_t kWatchEndNs = 10'000'000'000; // after the launch
constexpr std::int64_t kPingEveryNs = 2'000'000;
constexpr char kPlainMarker[] = "TRVX_BENCH_PLAIN_WINDOW";

// One hold: a ping that waited this long for its answer, sent this long after the launch.
struct Hold {
    std::int64_t waitNs = 0;
    std::int64_t atNs = 0;
};

struct Round {
    std::vector<Hold> holds; // the longest first
    int pings = 0;
    int unanswered = 0;
    Hold Longest() const { return holds.empty() ? Hold{} : holds.front(); }
};

// The pings that waited through one hold are answered together: each such group is one hold,
// as long as its longest wait and from when that ping was sent. The longest first.
std::vector<Hold> Holds(std::vector<Hold> pings) {
    std::sort(pings.begin(), pings.end(),
              [](const Hold& a, const Hold& b) { return a.atNs + a.waitNs < b.atNs + b.waitNs; });
    std::vector<Hold> holds;
    std::int64_t lastAnswer = -1;
    for (const Hold& p : pings) {
        const std::int64_t answer = p.atNs + p.waitNs;
        if (!holds.empty() && answer - lastAnswer < kPingEveryNs / 2) {
            if (p.waitNs > holds.back().waitNs)
                holds.back() = p;
        } else {
            holds.push_back(p);
        }
        lastAnswer = answer;
    }
    std::sort(holds.begin(), holds.end(),
              [](const Hold& a, const Hold& b) { return a.waitNs > b.waitNs; });
    return holds;
}

// The X connection that pings the window and reads its answers on the root window.
class Pinger {
public:
    explicit Pinger(const std::string& display) : dpy_(XOpenDisplay(display.c_str())) {
        if (dpy_ == nullptr)
            return;
        root_ = DefaultRootWindow(dpy_);
        wmProtocols_ = XInternAtom(dpy_, "WM_PROTOCOLS", False);
        ping_ = XInternAtom(dpy_, "_NET_WM_PING", False);
        pidAtom_ = XInternAtom(dpy_, "_NET_WM_PID", False);
        // The answer is sent to the root window for the window manager's masks (which of the
        // structure masks differs between toolkit versions).
        XSelectInput(dpy_, root_, StructureNotifyMask | SubstructureNotifyMask);
        XSync(dpy_, False);
    }
    ~Pinger() {
        if (dpy_ != nullptr)
            XCloseDisplay(dpy_);
    }
    Pinger(const Pinger&) = delete;
    Pinger& operator=(const Pinger&) = delete;
    bool Ok() const { return dpy_ != nullptr; }

    // The largest viewable top-level window of process `pid` that takes pings; 0 when none.
    Window FindWindow(pid_t pid) {
        Window rootReturn = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        Window best = 0;
        long bestArea = 0;
        if (XQueryTree(dpy_, root_, &rootReturn, &parent, &children, &count) == 0)
            return 0;
        for (unsigned int i = 0; i < count; ++i) {
            const Window w = children[i];
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(dpy_, w, &attributes) == 0 ||
                attributes.map_state != IsViewable || PidOf(w) != pid || !TakesPings(w))
                continue;
            const long area = long{attributes.width} * attributes.height;
            if (area > bestArea) {
                best = w;
                bestArea = area;
            }
        }
        if (children != nullptr)
            XFree(children);
        return best;
    }

    // Pings `window` every 2 ms until `endNs`; counts the pings sent from `fromNs` on.
    Round Watch(Window window, std::int64_t launchNs, std::int64_t fromNs, std::int64_t endNs) {
        Round round;
        std::map<long, std::int64_t> sent; // by the ping's serial, its time
        long serial = 1;
        std::int64_t nextPing = MonotonicNs();
        const int fd = ConnectionNumber(dpy_);
        // Pings still unanswered at the end are waited for a while longer: they are holds too.
        const std::int64_t drainEnd = endNs + 2'000'000'000;
        for (;;) {
            const std::int64_t now = MonotonicNs();
            if (now >= endNs && (sent.empty() || now >= drainEnd))
                break;
            if (now >= nextPing && now < endNs) {
                XEvent event{};
                event.xclient.type = ClientMessage;
                event.xclient.window = window;
                event.xclient.message_type = wmProtocols_;
                event.xclient.format = 32;
                event.xclient.data.l[0] = static_cast<long>(ping_);
                event.xclient.data.l[1] = serial; // the time stamp field carries the serial
                event.xclient.data.l[2] = static_cast<long>(window);
                XSendEvent(dpy_, window, False, NoEventMask, &event);
                XFlush(dpy_);
                sent.emplace(serial++, now);
                nextPing = std::max(nextPing + kPingEveryNs, now);
            }
            while (XPending(dpy_) > 0) {
                XEvent event{};
                XNextEvent(dpy_, &event);
                if (event.type != ClientMessage ||
                    static_cast<Atom>(event.xclient.data.l[0]) != ping_)
                    continue;
                const auto it = sent.find(event.xclient.data.l[1]);
                if (it == sent.end())
                    continue;
                const std::int64_t answered = MonotonicNs();
                if (it->second >= fromNs) {
                    ++round.pings;
                    round.holds.push_back({answered - it->second, it->second - launchNs});
                }
                sent.erase(it);
            }
            const std::int64_t wake = now < endNs ? nextPing : drainEnd;
            pollfd p{fd, POLLIN, 0};
            const std::int64_t waitNs = std::max<std::int64_t>(0, wake - MonotonicNs());
            timespec timeout{static_cast<time_t>(waitNs / 1'000'000'000),
                             static_cast<long>(waitNs % 1'000'000'000)};
            ppoll(&p, 1, &timeout, nullptr);
        }
        for (const auto& [s, at] : sent)
            if (at >= fromNs) {
                ++round.pings;
                ++round.unanswered;
                round.holds.push_back({MonotonicNs() - at, at - launchNs});
            }
        round.holds = Holds(std::move(round.holds));
        return round;
    }

private:
    long PidOf(Window w) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(dpy_, w, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                               &after, &data) == Success &&
            data != nullptr && items == 1 && format == 32)
            pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
        if (data != nullptr)
            XFree(data);
        return pid;
    }

    bool TakesPings(Window w) {
        Atom* protocols = nullptr;
        int count = 0;
        bool takes = false;
        if (XGetWMProtocols(dpy_, w, &protocols, &count) != 0) {
            takes = std::find(protocols, protocols + count, ping_) != protocols + count;
            XFree(protocols);
        }
        return takes;
    }

    Display* dpy_ = nullptr;
    Window root_ = 0;
    Atom wmProtocols_ = 0;
    Atom ping_ = 0;
    Atom pidAtom_ = 0;
};

// One launch of `program` with `simulate` as TRVX_SIMULATE, watched for 10 s.
std::optional<Round> WatchOnce(const std::string& program, const std::string& display,
                               const std::string& simulate) {
    Pinger pinger(display);
    if (!pinger.Ok())
        return std::nullopt;
    TracedLaunch launch(
        program, {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display}, {"TRVX_SIMULATE", simulate}});
    std::optional<Round> round;
    if (launch.Traced()) {
        Window window = 0;
        for (int tries = 0; window == 0 && tries < 200; ++tries) {
            window = pinger.FindWindow(launch.Pid());
            if (window == 0)
                usleep(5'000);
        }
        if (window != 0)
            round =
                pinger.Watch(window, launch.LaunchNs(), launch.Trace().at("painted") + kSettleNs,
                             launch.LaunchNs() + kWatchEndNs);
    }
    launch.End();
    if (const char* log = std::getenv("TRVX_STALL_LOG")) {
        // What the program said on its error output, for finding what held it.
        std::FILE* from = std::fopen(launch.ErrorsPath().c_str(), "r");
        std::FILE* to = std::fopen(log, "a");
        if (to != nullptr)
            std::fprintf(to, "---- %s\n", simulate.c_str());
        for (char line[512];
             from != nullptr && to != nullptr && std::fgets(line, sizeof line, from) != nullptr;)
            std::fputs(line, to);
        for (std::FILE* f : {from, to})
            if (f != nullptr)
                std::fclose(f);
    }
    // A launch without a trace has told already.
    if (!round && launch.Traced())
        PrintProgramErrors(launch.ErrorsPath());
    return round;
}

std::string Describe(const Round& round) {
    // The longest holds, each with when its ping was sent (s after the launch).
    std::string text;
    char part[64];
    int shown = 0;
    for (const Hold& h : round.holds) {
        if (shown == 5 || Ms(h.waitNs) < kBoundMs / 2)
            break;
        std::snprintf(part, sizeof part, "%s%.1f ms at %.2f s", shown == 0 ? "" : ", ",
                      Ms(h.waitNs), static_cast<double>(h.atNs) / 1e9);
        text += part;
        ++shown;
    }
    int over = 0;
    for (const Hold& h : round.holds)
        over += Ms(h.waitNs) > kBoundMs ? 1 : 0;
    std::snprintf(part, sizeof part, "%s(%d holds over the bound; %d pings)",
                  text.empty() ? "" : "; ", over, round.pings);
    return text + part;
}

// The program with one TRVX_SIMULATE value, in turns with the plain window. False when a round
// failed or the median is over the bound.
bool Measure(const std::string& program, const std::string& display, const std::string& name,
             const std::string& simulate) {
    std::vector<Round> rounds;
    std::vector<Round> plainRounds;
    for (int i = 0; i < kRounds; ++i) {
        auto round = WatchOnce(program, display, simulate);
        if (!round) {
            std::printf("%-11s the program printed no start-up trace or showed no window\n",
                        name.c_str());
            return false;
        }
        rounds.push_back(*round);
        if (auto plain = WatchOnce("/proc/self/exe", display, simulate))
            plainRounds.push_back(*plain);
    }
    auto byLongest = [](const Round& a, const Round& b) {
        return a.Longest().waitNs < b.Longest().waitNs;
    };
    std::sort(rounds.begin(), rounds.end(), byLongest);
    std::sort(plainRounds.begin(), plainRounds.end(), byLongest);
    const double median = Ms(rounds[kRounds / 2].Longest().waitNs);
    const double ratio = median / kBoundMs;
    std::printf("%-11s longest UI-thread hold: median %.1f ms of %d (%.1f .. %.1f) / bound %.0f "
                "ms = %.2f (bound 1.00)\n",
                name.c_str(), median, kRounds, Ms(rounds.front().Longest().waitNs),
                Ms(rounds.back().Longest().waitNs), kBoundMs, ratio);
    for (std::size_t i = 0; i < rounds.size(); ++i)
        std::printf("%-11s   round %zu: %s\n", "", i + 1, Describe(rounds[i]).c_str());
    if (!plainRounds.empty())
        std::printf("%-11s   for scale, a plain Qt window of the same size: median %.1f ms\n", "",
                    Ms(plainRounds[plainRounds.size() / 2].Longest().waitNs));
    return ratio <= 1.0;
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv(kPlainMarker) != nullptr)
        return RunPlainWindow(argc, argv, MonotonicNs());
    // The plain window runs as this program again, marked by the environment.
    setenv(kPlainMarker, "1", 1);
    const std::string program = argc > 1 ? argv[1] : TRVX_PROGRAM_PATH;
    Xvfb xvfb;
    if (xvfb.Display().empty()) {
        std::printf("no Xvfb could start: not measured\n");
        return 1;
    }
    const std::string only = argc > 2 ? argv[2] : "";
    bool within = true;
    if (only.empty() || only == "i2c")
        within = Measure(program, xvfb.Display(), "mouse", "i2c") && within;
    if (only.empty() || only == "none")
        within = Measure(program, xvfb.Display(), "no mouse", "none") && within;
    std::printf("%s\n", within ? "all within bounds" : "OUT OF BOUNDS");
    return within ? 0 : 1;
}
