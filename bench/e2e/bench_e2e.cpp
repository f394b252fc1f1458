// End-to-end benchmark: the calculator against a floor (a bare Qt window with
// 40 line edits), both run as a user would under a virtual X server of its own.
//
// What it times, with runs of the programs interleaved:
//   - start, warm: from exec to the first frame of the window, as the X server
//     has it, that equals the settled window;
//   - start, cold: the same after the page cache is dropped (root only);
//   - keystroke: a key sent through XTEST into an input field, to the changed
//     pixels of a result field (for the calculator the first total, "tt(1)");
//   - resident memory once the window is shown.
//
// The X server reports each paint through the DAMAGE extension; each report
// is followed by an XGetImage of the window or of the result field. Without
// DAMAGE the benchmark polls XGetImage every half millisecond.
#include "floor_layout.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#ifdef STK_HAVE_XDAMAGE
#include <X11/extensions/Xdamage.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::duration;

double ms_between(Clock::time_point from, Clock::time_point to)
{
    return duration<double, std::milli>(to - from).count();
}

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The calculator's fields, from its layout in twips (15 twips = 1 pixel):
// "dvt" lies at (2580, 1620) in the frame at (60, 90); "tt(1)" at
// (4080, 1710) in the frame at (60, 3750); text boxes are 1095 x 285.
constexpr int twips_per_pixel = 15;
constexpr Rect program_input{(60 + 2580) / twips_per_pixel, (90 + 1620) / twips_per_pixel, 1095 / twips_per_pixel,
                             285 / twips_per_pixel};
constexpr Rect program_result{(60 + 4080) / twips_per_pixel, (3750 + 1710) / twips_per_pixel, 1095 / twips_per_pixel,
                              285 / twips_per_pixel};

// The worked example of the README's picture, as the calculator's parameter file.
constexpr const char* example_params[][2] = {{"nbt", "3"},     {"dat", "4"},   {"pst", "200"}, {"uut", "2000"},
                                             {"dvt", "10000"}, {"crt", "500"}, {"cct", "50"},  {"tst", "2"}};

// ---------------------------------------------------------------- options

struct Options {
    int runs = 20;
    int cold_runs = 5;
    int keys_per_run = 6;
    fs::path program;
    fs::path floor;
    fs::path also;  // another build of the calculator, timed alongside (before and after a change)
    bool verbose = false;
};

void usage(const char* self)
{
    std::cerr << "usage: " << self
              << " [--runs N] [--cold-runs N] [--keys N] [--program PATH] [--also PATH] [--floor PATH] [--verbose]\n"
                 "  --runs N       warm runs of each program, interleaved (default 20, at most 200)\n"
                 "  --cold-runs N  cold-cache runs of each program, root only (default 5, 0 skips)\n"
                 "  --keys N       keystrokes timed per warm run (default 6)\n"
                 "  --program PATH the calculator (default: build/ui/stk_secu)\n"
                 "  --also PATH    another build of the calculator, interleaved with the two others\n"
                 "  --floor PATH   the floor program (default: the one built beside this benchmark)\n";
}

std::optional<Options> parse(int argc, char** argv)
{
    Options o;
    o.program = STK_DEFAULT_PROGRAM;
    o.floor = STK_FLOOR_PROGRAM;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto number = [&](int& out, int high) {
            if (i + 1 >= argc)
                return false;
            char* end = nullptr;
            const long v = std::strtol(argv[++i], &end, 10);
            if (*end || v < 0 || v > high)
                return false;
            out = int(v);
            return true;
        };
        if (arg == "--runs" || arg == "--cold-runs" || arg == "--keys") {
            int& out = arg == "--runs" ? o.runs : arg == "--cold-runs" ? o.cold_runs : o.keys_per_run;
            if (!number(out, arg == "--runs" ? 200 : 50))
                return std::nullopt;
            continue;
        }
        if ((arg == "--program" || arg == "--floor" || arg == "--also") && i + 1 < argc)
            (arg == "--program" ? o.program : arg == "--floor" ? o.floor : o.also) = argv[++i];
        else if (arg == "--verbose")
            o.verbose = true;
        else
            return std::nullopt;
    }
    if (o.runs < 1)
        return std::nullopt;
    return o;
}

// ---------------------------------------------------------------- processes

// Starts a program with the given environment additions; returns its pid.
pid_t spawn(const std::vector<std::string>& argv_text, const std::map<std::string, std::string>& env_changes)
{
    std::vector<std::string> env_text;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (!env_changes.count(name))
            env_text.push_back(entry);
    }
    for (const auto& [name, value] : env_changes)
        if (!value.empty())
            env_text.push_back(name + "=" + value);
    std::vector<char*> args, env;
    for (const auto& a : argv_text)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env_text)
        env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), env.data()) != 0)
        return -1;
    return pid;
}

// Waits up to `limit` for the process to end; its exit status, or nullopt.
std::optional<int> wait_for_exit(pid_t pid, std::chrono::milliseconds limit)
{
    const auto until = Clock::now() + limit;
    while (Clock::now() < until) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return status;
        if (r < 0)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::nullopt;
}

// Ends a process that did not close: TERM, then KILL.
void end_process(pid_t pid)
{
    kill(pid, SIGTERM);
    if (!wait_for_exit(pid, std::chrono::seconds(2))) {
        kill(pid, SIGKILL);
        wait_for_exit(pid, std::chrono::seconds(2));
    }
}

long resident_kib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// ---------------------------------------------------------------- X server

// A virtual X server of the benchmark's own, on the first free display.
class VirtualServer {
public:
    VirtualServer()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        const std::string fd_text = std::to_string(fds[1]);
        pid_ = spawn(
            {find_xvfb(), "-displayfd", fd_text, "-screen", "0", "1280x1024x24", "-br", "-nolisten", "tcp", "-noreset"},
            {});
        close(fds[1]);
        if (pid_ < 0) {
            close(fds[0]);
            return;
        }
        std::string number;
        char c = 0;
        pollfd p{fds[0], POLLIN, 0};
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty())
            display_ = ":" + number;
    }
    ~VirtualServer()
    {
        if (pid_ > 0)
            end_process(pid_);
    }
    VirtualServer(const VirtualServer&) = delete;
    VirtualServer& operator=(const VirtualServer&) = delete;

    const std::string& display() const { return display_; }

private:
    static std::string find_xvfb()
    {
        for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
            if (access((std::string(dir) + "Xvfb").c_str(), X_OK) == 0)
                return std::string(dir) + "Xvfb";
        return "/usr/bin/Xvfb";
    }

    pid_t pid_ = -1;
    std::string display_;
};

// Windows can vanish between an event and a request about them: such errors
// are expected and ignored.
int ignore_x_error(Display*, XErrorEvent*) { return 0; }

struct Image {
    std::vector<std::uint32_t> pixels;
    bool valid() const { return !pixels.empty(); }
};

Image grab(Display* dpy, Window w, Rect r)
{
    Image out;
    XImage* image = XGetImage(dpy, w, r.x, r.y, unsigned(r.width), unsigned(r.height), AllPlanes, ZPixmap);
    if (!image)
        return out;
    out.pixels.reserve(std::size_t(r.width) * std::size_t(r.height));
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            out.pixels.push_back(std::uint32_t(XGetPixel(image, x, y)) & 0xFFFFFFu);
    XDestroyImage(image);
    return out;
}

std::size_t differing(const Image& a, const Image& b)
{
    if (a.pixels.size() != b.pixels.size())
        return std::max(a.pixels.size(), b.pixels.size());
    std::size_t n = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        n += a.pixels[i] != b.pixels[i];
    return n;
}

bool blank(const Image& a)
{
    return std::all_of(a.pixels.begin(), a.pixels.end(), [](std::uint32_t p) { return p == 0; });
}

// ---------------------------------------------------------------- one run

struct Target {
    int index = 0;  // column of its figures
    std::string name;
    fs::path executable;            // in a folder of the benchmark's own
    Rect input;                     // clicked, then typed into
    Rect result;                    // watched for the answer
    std::function<void()> prepare;  // restores the program's files before a run
};

struct RunResult {
    std::optional<double> start_ms;
    std::optional<double> first_pixels_ms;
    long rss_kib = -1;
    std::vector<double> key_ms;
    int keys_lost = 0;
    bool closed_cleanly = false;
    std::string problem;
};

class Session {
public:
    Session(Display* dpy, std::string display_name, std::string runtime_dir)
        : dpy_(dpy), display_name_(std::move(display_name)), runtime_dir_(std::move(runtime_dir))
    {
        root_ = DefaultRootWindow(dpy_);
        XSelectInput(dpy_, root_, SubstructureNotifyMask);
        pid_atom_ = XInternAtom(dpy_, "_NET_WM_PID", False);
        protocols_atom_ = XInternAtom(dpy_, "WM_PROTOCOLS", False);
        delete_atom_ = XInternAtom(dpy_, "WM_DELETE_WINDOW", False);
#ifdef STK_HAVE_XDAMAGE
        int error_base = 0;
        has_damage_ = XDamageQueryExtension(dpy_, &damage_event_, &error_base);
#endif
        XSync(dpy_, False);
    }

    bool has_damage() const { return has_damage_; }

    RunResult run(const Target& target, int keys)
    {
        RunResult result;
        target.prepare();
        drain();
        const auto t0 = Clock::now();
        const pid_t pid = spawn({target.executable.string()}, {{"DISPLAY", display_name_},
                                                               {"QT_QPA_PLATFORM", "xcb"},
                                                               {"WAYLAND_DISPLAY", ""},
                                                               {"XDG_RUNTIME_DIR", runtime_dir_}});
        if (pid < 0) {
            result.problem = "could not start " + target.executable.string();
            return result;
        }
        pid_ = pid;
        window_ = 0;
        frames_.clear();
        watch_start(t0, result);
        if (window_) {
            result.rss_kib = resident_kib(pid);
            if (keys > 0)
                type_keys(target, keys, result);
            close_window();
        }
        const auto status = wait_for_exit(pid, std::chrono::seconds(5));
        result.closed_cleanly = status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
        if (!status)
            end_process(pid);
        forget_windows();
        return result;
    }

private:
    struct Frame {
        Clock::time_point at;
        Image image;
    };

    Rect window_rect() const { return {0, 0, width_, height_}; }

    void drain()
    {
        XSync(dpy_, False);
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
        }
    }

    // Waits up to `limit` for the next event; false when none came.
    bool next_event(XEvent& e, std::chrono::microseconds limit)
    {
        if (!XPending(dpy_)) {
            pollfd p{ConnectionNumber(dpy_), POLLIN, 0};
            const int ms = int(std::max<long>(0, (limit.count() + 999) / 1000));
            if (poll(&p, 1, ms) <= 0)
                return false;
            if (!XPending(dpy_))
                return false;
        }
        XNextEvent(dpy_, &e);
        return true;
    }

    bool owned_by_child(Window w)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const bool ok = XGetWindowProperty(dpy_, w, pid_atom_, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                                           &data) == Success &&
                        data && format == 32 && count == 1;
        const bool ours = ok && pid_t(*reinterpret_cast<unsigned long*>(data)) == pid_;
        if (data)
            XFree(data);
        return ours;
    }

    void track(Window w)
    {
#ifdef STK_HAVE_XDAMAGE
        if (has_damage_)
            damages_[w] = XDamageCreate(dpy_, w, XDamageReportNonEmpty);
#endif
        (void)w;
    }

    void forget_windows()
    {
        // The server frees a window's damage object with the window.
        damages_.clear();
        drain();
    }

    // Called when the window reported new pixels (or at each poll without DAMAGE).
    bool rearm(const XEvent* e)
    {
#ifdef STK_HAVE_XDAMAGE
        if (has_damage_) {
            if (!e || e->type != damage_event_ + XDamageNotify)
                return false;
            const auto* d = reinterpret_cast<const XDamageNotifyEvent*>(e);
            XDamageSubtract(dpy_, d->damage, None, None);
            return d->drawable == window_;
        }
#endif
        (void)e;
        return true;
    }

    std::chrono::microseconds poll_step() const
    {
        return has_damage_ ? std::chrono::microseconds(50'000) : std::chrono::microseconds(500);
    }

    // From exec to the settled window: the first frame equal to the settled one.
    void watch_start(Clock::time_point t0, RunResult& result)
    {
        const auto deadline = t0 + std::chrono::seconds(15);
        const auto quiet = std::chrono::milliseconds(400);
        auto last_change = Clock::now();
        while (Clock::now() < deadline) {
            XEvent e;
            const bool got = next_event(e, poll_step());
            const auto now = Clock::now();
            if (got && e.type == CreateNotify && e.xcreatewindow.parent == root_)
                track(e.xcreatewindow.window);
            if (got && e.type == MapNotify && !window_ && owned_by_child(e.xmap.window)) {
                XWindowAttributes a;
                if (XGetWindowAttributes(dpy_, e.xmap.window, &a) && a.width > 100 && a.height > 100) {
                    window_ = e.xmap.window;
                    width_ = a.width;
                    height_ = a.height;
                    last_change = now;
                }
            }
            const bool painted = got ? rearm(&e) : !has_damage_;
            if (window_ && painted) {
                Image image = grab(dpy_, window_, window_rect());
                if (image.valid() && (frames_.empty() || differing(image, frames_.back().image) > 0)) {
                    frames_.push_back({now, std::move(image)});
                    last_change = now;
                }
            }
            if (window_ && !frames_.empty() && now - last_change > quiet)
                break;
            if (!got && waitpid(pid_, nullptr, WNOHANG) == pid_) {
                result.problem = "the program ended before its window settled";
                window_ = 0;
                return;
            }
        }
        if (!window_ || frames_.empty()) {
            result.problem = "no window within 15 s";
            return;
        }
        // Let a last paint come in, then compare every frame with the settled one.
        const Image settled = grab(dpy_, window_, window_rect());
        const std::size_t tolerance = settled.pixels.size() / 1000;
        for (const Frame& f : frames_)
            if (!result.first_pixels_ms && !blank(f.image))
                result.first_pixels_ms = ms_between(t0, f.at);
        for (const Frame& f : frames_)
            if (differing(f.image, settled) <= tolerance) {
                result.start_ms = ms_between(t0, f.at);
                break;
            }
        frames_.clear();
    }

    // Waits until the window has drawn nothing for `quiet`, at most `limit`.
    void settle(std::chrono::milliseconds quiet, std::chrono::milliseconds limit)
    {
        const auto until = Clock::now() + limit;
        auto last = Clock::now();
        Image before = has_damage_ ? Image{} : grab(dpy_, window_, window_rect());
        while (Clock::now() < until && Clock::now() - last < quiet) {
            XEvent e;
            const bool got = next_event(e, has_damage_ ? std::chrono::microseconds(5000) : quiet / 4);
            if (has_damage_) {
                if (got && rearm(&e))
                    last = Clock::now();
            } else {
                Image now = grab(dpy_, window_, window_rect());
                if (differing(now, before))
                    last = Clock::now();
                before = std::move(now);
            }
        }
    }

    void click(Rect r)
    {
        int root_x = 0, root_y = 0;
        Window child = 0;
        XTranslateCoordinates(dpy_, window_, root_, 0, 0, &root_x, &root_y, &child);
        XSetInputFocus(dpy_, window_, RevertToParent, CurrentTime);
        // Near the right end of the field, so that the caret lands after the text.
        XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), root_x + r.x + r.width - 4, root_y + r.y + r.height / 2,
                             CurrentTime);
        XTestFakeButtonEvent(dpy_, 1, True, CurrentTime);
        XTestFakeButtonEvent(dpy_, 1, False, CurrentTime);
        XFlush(dpy_);
    }

    void press(KeySym sym)
    {
        const KeyCode code = XKeysymToKeycode(dpy_, sym);
        XTestFakeKeyEvent(dpy_, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy_, code, False, CurrentTime);
        XFlush(dpy_);
    }

    // Types "1" and BackSpace in turn, each timed to the changed result pixels.
    void type_keys(const Target& target, int keys, RunResult& result)
    {
        click(target.input);
        settle(std::chrono::milliseconds(150), std::chrono::seconds(2));
        press(XK_End);
        settle(std::chrono::milliseconds(100), std::chrono::seconds(2));
        for (int k = 0; k < keys; ++k) {
            const Image before = grab(dpy_, window_, target.result);
            const auto t0 = Clock::now();
            press(k % 2 == 0 ? XK_1 : XK_BackSpace);
            std::optional<double> latency;
            const auto until = t0 + std::chrono::seconds(2);
            while (!latency && Clock::now() < until) {
                XEvent e;
                const bool got = next_event(e, poll_step());
                const auto now = Clock::now();
                const bool painted = got ? rearm(&e) : !has_damage_;
                if (painted && differing(grab(dpy_, window_, target.result), before) > 0)
                    latency = ms_between(t0, now);
            }
            if (latency)
                result.key_ms.push_back(*latency);
            else
                ++result.keys_lost;
            settle(std::chrono::milliseconds(60), std::chrono::seconds(2));
        }
    }

    void close_window()
    {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = window_;
        e.xclient.message_type = protocols_atom_;
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(delete_atom_);
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy_, window_, False, NoEventMask, &e);
        XFlush(dpy_);
    }

    Display* dpy_;
    std::string display_name_;
    std::string runtime_dir_;
    Window root_ = 0;
    Atom pid_atom_ = None, protocols_atom_ = None, delete_atom_ = None;
    bool has_damage_ = false;
    int damage_event_ = 0;
    std::map<Window, unsigned long> damages_;
    pid_t pid_ = -1;
    Window window_ = 0;
    int width_ = 0, height_ = 0;
    std::vector<Frame> frames_;
};

// ---------------------------------------------------------------- figures

double median(std::vector<double> v)
{
    if (v.empty())
        return std::nan("");
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double quantile(std::vector<double> v, double q)
{
    if (v.empty())
        return std::nan("");
    std::sort(v.begin(), v.end());
    return v[std::size_t(std::lround(q * double(v.size() - 1)))];
}

// Figures by target: the calculator, the floor, the other build.
enum Column { program_column, floor_column, also_column, column_count };
struct Series {
    std::array<std::vector<double>, column_count> of;
};

// The starts of one round, by target: a round runs every target once, one
// after the other, so a slow spell of the machine weighs on all of them.
using Round = std::array<std::optional<double>, column_count>;

// "1.14 (1.09-1.19)": the median of the rounds' own ratios of `a` to `b`, and
// the middle half of them; "-" without a round that timed both.
std::string round_ratio_text(const std::vector<Round>& rounds, Column a, Column b)
{
    std::vector<double> ratios;
    for (const Round& r : rounds)
        if (r[std::size_t(a)] && r[std::size_t(b)] && *r[std::size_t(b)] > 0)
            ratios.push_back(*r[std::size_t(a)] / *r[std::size_t(b)]);
    if (ratios.empty())
        return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f (%.2f-%.2f)", median(ratios), quantile(ratios, 0.25),
                  quantile(ratios, 0.75));
    return text;
}

std::string figure(double v, const char* unit)
{
    if (std::isnan(v))
        return "-";
    char text[64];
    std::snprintf(text, sizeof text, v < 10 ? "%.1f %s" : "%.0f %s", v, unit);
    return text;
}

std::string ratio_text(double a, double b)
{
    if (std::isnan(a) || std::isnan(b) || b <= 0)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", a / b);
    return text;
}

std::string now_utc()
{
    const std::time_t t = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&t));
    return text;
}

bool copy_into(const fs::path& file, const fs::path& folder)
{
    std::error_code ec;
    fs::copy_file(file, folder / file.filename(), fs::copy_options::overwrite_existing, ec);
    return !ec;
}

// Writes the calculator's parameter file with the worked example.
void write_params(const fs::path& folder)
{
    std::ofstream out(folder / "param_stk_secu.txt", std::ios::binary | std::ios::trunc);
    for (const auto& [key, value] : example_params)
        out << "da_stk_secu\t" << key << '\t' << value << "\r\n";
}

// Drops the page cache; false (with the reason) when this user may not.
bool drop_caches(std::string& why)
{
    sync();
    std::ofstream out("/proc/sys/vm/drop_caches");
    if (!out) {
        why = std::string("cannot write /proc/sys/vm/drop_caches: ") + std::strerror(errno);
        return false;
    }
    out << "3\n";
    out.flush();
    if (!out) {
        why = "writing /proc/sys/vm/drop_caches failed";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const auto options = parse(argc, argv);
    if (!options) {
        usage(argv[0]);
        return 2;
    }
    const Options& o = *options;
    for (const fs::path& p : {o.program, o.floor, o.also})
        if (!p.empty() && access(p.c_str(), X_OK) != 0) {
            std::cerr << "bench_e2e: " << p << " is not an executable program (build it first)\n";
            return 1;
        }

    // Both programs run from a folder of the benchmark's own, so that the
    // calculator saves its parameters there and never beside the developer's build.
    std::string pattern = (fs::temp_directory_path() / "stk_e2e.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::cerr << "bench_e2e: cannot create a temporary folder: " << std::strerror(errno) << '\n';
        return 1;
    }
    const fs::path folder = pattern;
    const fs::path program_dir = folder / "program", floor_dir = folder / "floor", also_dir = folder / "also";
    fs::create_directory(program_dir);
    fs::create_directory(floor_dir);
    fs::create_directory(also_dir);
    const fs::path runtime_dir = folder / "runtime";
    fs::create_directory(runtime_dir);
    fs::permissions(runtime_dir, fs::perms::owner_all);
    // Each calculator with the files beside it, when it has them: the translations
    // and the library of the commands it loads on first use.
    auto copy_calculator = [](const fs::path& program, const fs::path& into) {
        bool copied = copy_into(program, into);
        for (const char* beside : {"trad_stk_secu.txt", "libstk_secu_on_demand.so"}) {
            const fs::path file = program.parent_path() / beside;
            copied = copied && (!fs::exists(file) || copy_into(file, into));
        }
        return copied;
    };
    const bool copied = copy_calculator(o.program, program_dir) && copy_into(o.floor, floor_dir) &&
                        (o.also.empty() || copy_calculator(o.also, also_dir));
    int exit_code = 0;
    if (!copied) {
        std::cerr << "bench_e2e: cannot copy the programs into " << folder << '\n';
        exit_code = 1;
    }

    std::signal(SIGPIPE, SIG_IGN);
    std::optional<VirtualServer> server;
    Display* dpy = nullptr;
    if (!exit_code) {
        server.emplace();
        if (!server->display().empty())
            dpy = XOpenDisplay(server->display().c_str());
        if (!dpy) {
            std::cerr << "bench_e2e: could not start Xvfb (is the xvfb package installed?)\n";
            exit_code = 1;
        }
    }
    int event_base = 0, error_base = 0, major = 0, minor = 0;
    if (dpy && !XTestQueryExtension(dpy, &event_base, &error_base, &major, &minor)) {
        std::cerr << "bench_e2e: the X server has no XTEST extension\n";
        exit_code = 1;
    }

    if (!exit_code) {
        XSetErrorHandler(ignore_x_error);
        Session session(dpy, server->display(), runtime_dir.string());
        const Target program{program_column, "program",      program_dir / o.program.filename(),
                             program_input,  program_result, [&] { write_params(program_dir); }};
        const Target also{also_column,   "also",         also_dir / o.also.filename(),
                          program_input, program_result, [&] { write_params(also_dir); }};
        namespace f = stk::e2e::floor;
        const Target floor{
            floor_column,
            "floor",
            floor_dir / o.floor.filename(),
            {f::field_left(f::source_field), f::field_top(f::source_field), f::field_width, f::field_height},
            {f::field_left(f::target_field), f::field_top(f::target_field), f::field_width, f::field_height},
            [] {}};
        std::vector<const Target*> targets{&program, &floor};
        if (!o.also.empty())
            targets.push_back(&also);
        const std::size_t n = targets.size();

        Series warm, cold, first, keys, memory;
        std::vector<Round> warm_rounds;
        int unclean = 0, lost_keys = 0;
        std::vector<std::string> problems;
        auto record = [&](const Target& t, const RunResult& r, Series* start, bool with_rest) {
            const auto c = std::size_t(t.index);
            if (r.start_ms && start)
                start->of[c].push_back(*r.start_ms);
            if (with_rest) {
                if (r.first_pixels_ms)
                    first.of[c].push_back(*r.first_pixels_ms);
                if (r.rss_kib > 0)
                    memory.of[c].push_back(double(r.rss_kib) / 1024.0);
                for (double k : r.key_ms)
                    keys.of[c].push_back(k);
            }
            lost_keys += r.keys_lost;
            unclean += !r.closed_cleanly;
            if (!r.problem.empty())
                problems.push_back(t.name + ": " + r.problem);
            if (o.verbose)
                std::cerr << t.name << ": start " << (r.start_ms ? *r.start_ms : -1) << " ms, rss " << r.rss_kib
                          << " KiB, keys " << r.key_ms.size() << ", clean " << r.closed_cleanly << '\n';
        };

        const std::string started = now_utc();
        std::cerr << "bench_e2e: display " << server->display() << ", DAMAGE "
                  << (session.has_damage() ? "used" : "missing: polling") << ", " << o.runs << " warm runs of each\n";
        // One run of each first, unmeasured, so that all start warm.
        for (const Target* t : targets)
            session.run(*t, 0);
        // Each round starts with the next program, so that a slow spell of the
        // shared machine weighs on all alike.
        for (int i = 0; i < o.runs; ++i) {
            Round round;
            for (std::size_t k = 0; k < n; ++k) {
                const Target& t = *targets[(std::size_t(i) + k) % n];
                const RunResult result = session.run(t, o.keys_per_run);
                round[std::size_t(t.index)] = result.start_ms;
                record(t, result, &warm, true);
            }
            warm_rounds.push_back(round);
        }

        std::string cold_note;
        if (o.cold_runs == 0)
            cold_note = "skipped (--cold-runs 0)";
        for (int i = 0; i < o.cold_runs && cold_note.empty(); ++i)
            for (std::size_t k = 0; k < n; ++k) {
                std::string why;
                if (!drop_caches(why)) {
                    cold_note = "skipped: " + why;
                    cold = Series{};
                    break;
                }
                const Target& t = *targets[(std::size_t(i) + k) % n];
                record(t, session.run(t, 0), &cold, false);
            }

        const unsigned cores = std::thread::hardware_concurrency();
        std::cout << "End-to-end benchmark, " << started << ", Xvfb " << server->display() << ", " << cores
                  << " cores. Absolute times depend on the machine and on what else runs on it;\n"
                  << "the programs ran interleaved, so their ratios hold.\n"
                  << "program: " << o.program.string() << "\nfloor:   " << o.floor.string()
                  << " (a bare Qt window with 40 line edits)\n";
        if (!o.also.empty())
            std::cout << "also:    " << o.also.string() << '\n';
        std::cout << '\n';
        struct Row {
            const char* what;
            const Series& s;
            const char* unit;
        };
        const Row rows[] = {
            {"start, warm, to the painted window", warm, "ms"},
            {"start, cold caches, to the painted window", cold, "ms"},
            {"one keystroke to the changed pixels", keys, "ms"},
            {"resident memory once shown", memory, "MiB"},
            {"(first non-blank pixels, warm)", first, "ms"},
        };
        const bool with_also = !o.also.empty();
        // A row's medians and ratios: program, floor, ratio, and the other build's.
        auto cells = [&](const Row& r) {
            auto med = [&](Column c) { return median(r.s.of[std::size_t(c)]); };
            std::vector<std::string> out{figure(med(program_column), r.unit), figure(med(floor_column), r.unit),
                                         ratio_text(med(program_column), med(floor_column))};
            if (with_also) {
                out.push_back(figure(med(also_column), r.unit));
                out.push_back(ratio_text(med(also_column), med(floor_column)));
            }
            return out;
        };
        std::printf("%-42s %10s %10s %6s", "measure (median)", "program", "floor", "ratio");
        if (with_also)
            std::printf(" %10s %6s", "also", "ratio");
        std::printf("   samples\n");
        for (const Row& r : rows) {
            const auto c = cells(r);
            std::printf("%-42s %10s %10s %6s", r.what, c[0].c_str(), c[1].c_str(), c[2].c_str());
            if (with_also)
                std::printf(" %10s %6s", c[3].c_str(), c[4].c_str());
            std::printf("   %zu\n", r.s.of[program_column].size());
            if (o.verbose)
                for (std::size_t t = 0; t < n; ++t) {
                    const auto& v = r.s.of[std::size_t(targets[t]->index)];
                    std::printf("    %s, middle half: %s to %s\n", targets[t]->name.c_str(),
                                figure(quantile(v, 0.25), r.unit).c_str(), figure(quantile(v, 0.75), r.unit).c_str());
                }
        }
        if (!cold_note.empty())
            std::printf("cold start %s\n", cold_note.c_str());
        // Within a round the programs met the same machine: a ratio taken there is not moved by
        // the machine's speed drifting from one round to the next.
        std::printf("start, warm, round by round (median, middle half): program/floor %s",
                    round_ratio_text(warm_rounds, program_column, floor_column).c_str());
        if (with_also)
            std::printf(", also/floor %s, program/also %s",
                        round_ratio_text(warm_rounds, also_column, floor_column).c_str(),
                        round_ratio_text(warm_rounds, program_column, also_column).c_str());
        std::printf("\n");
        std::printf(with_also ? "\nFor the README (| measure | program | floor | ratio | also | ratio |):\n"
                              : "\nFor the README (| measure | program | floor | ratio |):\n");
        for (const Row& r : rows) {
            if (r.s.of[program_column].empty() || r.s.of[floor_column].empty() || r.what[0] == '(')
                continue;
            std::printf("| %s |", r.what);
            for (const std::string& cell : cells(r))
                std::printf(" %s |", cell.c_str());
            std::printf("\n");
        }
        if (lost_keys)
            std::printf("warning: %d keystrokes changed no result pixels within 2 s\n", lost_keys);
        if (unclean)
            std::printf("warning: %d runs did not close cleanly (ended with a signal)\n", unclean);
        for (const auto& p : problems)
            std::printf("problem: %s\n", p.c_str());
        if (warm.of[program_column].empty() || warm.of[floor_column].empty())
            exit_code = 1;
        XCloseDisplay(dpy);
    }
    server.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
    return exit_code;
}
