// Start-up as a player sees it: the time from fork/exec of a program to its first painted frame as
// the X server reports it (a DAMAGE event on the program's first mapped 500 x 366 top-level window
// (the main window, not the splash before it), seen by this benchmark as another client of the same
// server), and the program's peak memory (VmHWM) once it has settled after that frame. The real game
// (frobny-office) starts in four ways (sound and music off; sound on, music off; sound on without a
// sound server; music playing), each round after a bare Qt window of the same size (startup_bare),
// both from this benchmark's own folder, so that machine noise hits all alike. The sound cases play
// into a private PulseAudio with a null sink that the benchmark starts for itself.
//
// It needs an X server; a virtual one will do, with or without a window manager:
//   Xvfb :57 -screen 0 1280x1024x24 &
//   DISPLAY=:57 openbox &              (optional: a window manager that reparents)
//   DISPLAY=:57 build/bin/bench_startup
// FROBNY_STARTUP_TRACE=1 in the environment prints the X events seen during each run;
// FROBNY_STARTUP_ROUNDS sets the number of rounds (7).
//
// Qt's xcb windows have no background pixmap, so mapping them makes the server paint nothing. The
// one DAMAGE that is not the program's drawing comes from a move: when a window manager moves the
// frame of a showing window (the game centres its frame after its first paint), the server copies
// the window's old pixels along and reports that at once. Such damage is recognised and passed
// over, so the frame measured is the program's own (the trace reads the window back to show it).
#include <benchmark/benchmark.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Long enough for the game to finish what it does right after its first frame (the dialogs, the
// effects' stream), so the peak memory covers the start-up as a whole; the music case waits until
// the piece has been playing a while.
constexpr auto settleBare = 300ms;
constexpr auto settleGame = 1500ms;
constexpr auto settleMusic = 4000ms;
constexpr auto frameTimeout = 30s;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

bool tracing()
{
    static const bool on = std::getenv("FROBNY_STARTUP_TRACE") != nullptr;
    return on;
}

__attribute__((format(printf, 1, 2))) void trace(const char* format, ...)
{
    if (!tracing())
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
}

std::filesystem::path ownFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// A settings folder of the run's own: the programs never touch the player's settings, and a stored
// language keeps the first-start language question out of the measurement.
class ScratchConfig {
  public:
    explicit ScratchConfig(const std::string& settings)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "frobny-startup-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        path_ = pattern;
        const auto folder = path_ / "FrobnyGames" / "FrobnyOffice";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "V1.ini") << "[common]\ntongue=0\n" << settings;
    }
    ~ScratchConfig()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    ScratchConfig(const ScratchConfig&) = delete;
    ScratchConfig& operator=(const ScratchConfig&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The environment the programs start with: ours, with the scratch settings and the X platform.
class ChildEnvironment {
  public:
    ChildEnvironment(const std::filesystem::path& configHome, const std::vector<std::string>& extra)
    {
        for (char** entry = environ; *entry; ++entry) {
            const std::string_view text(*entry);
            if (!text.starts_with("XDG_CONFIG_HOME=") && !text.starts_with("QT_QPA_PLATFORM=") &&
                (extra.empty() || !text.starts_with("PULSE_SERVER=")))
                entries_.emplace_back(text);
        }
        entries_.push_back("XDG_CONFIG_HOME=" + configHome.string());
        entries_.push_back("QT_QPA_PLATFORM=xcb");
        entries_.insert(entries_.end(), extra.begin(), extra.end());
        for (std::string& entry : entries_)
            pointers_.push_back(entry.data());
        pointers_.push_back(nullptr);
    }
    char* const* get() const { return const_cast<char* const*>(pointers_.data()); }

  private:
    std::vector<std::string> entries_;
    std::vector<char*> pointers_;
};

// A started program; whatever happens to the measurement, it does not outlive it.
class Child {
  public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() { end(); }

    bool start(const std::string& path, char* const* environment)
    {
        std::string program = path;
        char* argv[] = {program.data(), nullptr};
        // Qt's warnings about this machine's setup would bury the results; the trace keeps them.
        const bool quiet = !tracing();
        const pid_t parent = getpid();
        pid_ = fork();
        if (pid_ == 0) {
            // Should the benchmark be stopped half-way, its program goes with it.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent)
                _exit(EXIT_FAILURE);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            if (quiet)
                dup2(null, STDERR_FILENO);
            execve(program.c_str(), argv, environment);
            _exit(127);
        }
        if (pid_ < 0)
            pid_ = 0;
        return pid_ != 0;
    }
    pid_t pid() const { return pid_; }

    bool exited()
    {
        if (pid_ == 0)
            return true;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_)
            return false;
        pid_ = 0;
        return true;
    }

    // Peak resident memory so far, in kB; 0 when it cannot be read.
    long peakRssKb() const
    {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.starts_with("VmHWM:"))
                return std::strtol(line.c_str() + 6, nullptr, 10);
        return 0;
    }

    // SIGTERM, not a polite close: the game would ask before closing.
    void end()
    {
        if (pid_ == 0)
            return;
        kill(pid_, SIGTERM);
        const auto deadline = Clock::now() + 2s;
        while (!exited() && Clock::now() < deadline)
            std::this_thread::sleep_for(5ms);
        if (pid_ != 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = 0;
        }
    }

  private:
    pid_t pid_ = 0;
};

// Both programs show a window of the game's client size; that window's first frame is measured.
constexpr uint16_t mainWindowWidth = 500;
constexpr uint16_t mainWindowHeight = 366;

struct Measurement {
    double firstFrameMs = 0;
    long peakRssKb = 0;
};

struct EventFree {
    void operator()(void* event) const { std::free(event); }
};
using Event = std::unique_ptr<xcb_generic_event_t, EventFree>;

// This benchmark's own connection to the X server, watching every new top-level window.
class XServerWatch {
  public:
    XServerWatch()
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) {
            problem_ = "cannot connect to the X server on DISPLAY";
            return;
        }
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
        if (!damage || !damage->present) {
            problem_ = "the X server has no DAMAGE extension";
            return;
        }
        damageNotify_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(
            connection_,
            xcb_damage_query_version(connection_, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
            nullptr));
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        // Substructure events on the root show each new top-level as it is made, before it maps,
        // so its Damage exists before the program can paint.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        const char name[] = "_NET_WM_PID";
        std::unique_ptr<xcb_intern_atom_reply_t, EventFree> atom(xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr));
        if (atom)
            netWmPid_ = atom->atom;
    }
    ~XServerWatch() { xcb_disconnect(connection_); }
    XServerWatch(const XServerWatch&) = delete;
    XServerWatch& operator=(const XServerWatch&) = delete;

    const std::string& problem() const { return problem_; }

    std::optional<Measurement> measure(const std::string& program, char* const* environment,
                                       std::chrono::milliseconds settle, std::string& problem)
    {
        // On a busy machine this benchmark may read of a new window only once the program already
        // shows it, and so may have missed its first frame: such a run runs again.
        for (int attempt = 0; attempt < 5; ++attempt) {
            bool missed = false;
            auto result = measureOnce(program, environment, settle, problem, missed);
            if (!missed)
                return result;
            ++repeatedRuns_;
        }
        problem =
            program + ": its window was showing each time before the benchmark saw it (machine too busy?)";
        return std::nullopt;
    }

    int repeatedRuns() const { return repeatedRuns_; }

  private:
    // What is known of a top-level window made during a run, from the events about it.
    struct Window {
        xcb_window_t parent = XCB_NONE;
        int16_t x = 0, y = 0;
        uint16_t width = 0, height = 0;
        bool mapped = false;
    };

    std::optional<Measurement> measureOnce(const std::string& program, char* const* environment,
                                           std::chrono::milliseconds settle, std::string& problem,
                                           bool& missed)
    {
        pending_.clear();
        while (Event stale{xcb_poll_for_event(connection_)})
            ;
        windows_.clear();
        Child child;
        const auto start = Clock::now();
        if (!child.start(program, environment)) {
            problem = "cannot start " + program;
            return std::nullopt;
        }
        trace("%s started as %d\n", program.c_str(), child.pid());
        xcb_window_t target = XCB_NONE;
        std::optional<Clock::time_point> frame;
        bool moveDamage = false;
        int otherDamage = 0;
        while (!frame) {
            Event event = nextEvent(Clock::now() + 100ms);
            const auto seen = Clock::now();
            if (xcb_connection_has_error(connection_)) {
                problem = "lost the connection to the X server";
                return std::nullopt;
            }
            if (!event) {
                if (child.exited()) {
                    problem = program + " ended before its first frame";
                    return std::nullopt;
                }
                if (seen - start > frameTimeout) {
                    problem = program + " showed no frame within 30 s";
                    return std::nullopt;
                }
                continue;
            }
            const double at = msBetween(start, seen);
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event.get());
                trace("%8.2f ms CreateNotify 0x%x %dx%d%+d%+d%s\n", at, created->window, created->width,
                      created->height, created->x, created->y,
                      created->override_redirect ? " override-redirect" : "");
                if (created->parent != root_ || created->override_redirect)
                    continue;
                Window& window = windows_[created->window];
                window = {root_, created->x, created->y, created->width, created->height, false};
                const uint8_t state = watch(created->window);
                if (state == XCB_MAP_STATE_UNMAPPED || !ownedBy(created->window, child.pid()))
                    continue;
                if (state == XCB_MAP_STATE_VIEWABLE) {
                    trace("window 0x%x was showing before its Damage existed: running again\n",
                          created->window);
                    missed = true;
                    return std::nullopt;
                }
                // Mapped inside a window manager's frame that does not show yet: nothing of it can
                // have been drawn, but its own MapNotify has gone by.
                trace("window 0x%x was mapped in a frame that does not show yet\n", created->window);
                window.mapped = true;
                if (target == XCB_NONE && mainWindowSized(created->window))
                    target = created->window;
            } else if (type == XCB_REPARENT_NOTIFY) {
                const auto* moved = reinterpret_cast<xcb_reparent_notify_event_t*>(event.get());
                trace("%8.2f ms ReparentNotify 0x%x into 0x%x at %+d%+d\n", at, moved->window, moved->parent,
                      moved->x, moved->y);
                if (const auto known = windows_.find(moved->window); known != windows_.end()) {
                    known->second.parent = moved->parent;
                    known->second.x = moved->x;
                    known->second.y = moved->y;
                }
            } else if (type == XCB_MAP_NOTIFY || type == XCB_UNMAP_NOTIFY) {
                // Both events start with the same fields.
                const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
                trace("%8.2f ms %s 0x%x (to 0x%x)\n", at,
                      type == XCB_MAP_NOTIFY ? "MapNotify" : "UnmapNotify", mapped->window, mapped->event);
                const auto known = windows_.find(mapped->window);
                if (known == windows_.end())
                    continue;
                known->second.mapped = type == XCB_MAP_NOTIFY;
                // A window manager maps the program's window inside its own frame: the window that
                // counts is the program's, wherever it now sits.
                if (type == XCB_MAP_NOTIFY && target == XCB_NONE && mainWindowSized(mapped->window) &&
                    ownedBy(mapped->window, child.pid()))
                    target = mapped->window;
            } else if (type == XCB_CONFIGURE_NOTIFY && !(event->response_type & 0x80)) {
                const auto* configured = reinterpret_cast<xcb_configure_notify_event_t*>(event.get());
                const auto known = windows_.find(configured->window);
                if (known == windows_.end())
                    continue;
                Window& window = known->second;
                const bool changed = window.x != configured->x || window.y != configured->y ||
                                     window.width != configured->width || window.height != configured->height;
                window.x = configured->x;
                window.y = configured->y;
                window.width = configured->width;
                window.height = configured->height;
                if (!changed)
                    continue;
                trace("%8.2f ms ConfigureNotify 0x%x %dx%d%+d%+d\n", at, configured->window,
                      configured->width, configured->height, configured->x, configured->y);
                // Moving or resizing a showing window copies what it showed before: the server
                // reports that as damage right away, though the program drew nothing.
                if (target != XCB_NONE && !moveDamage && showing(target) &&
                    onPath(configured->window, target) && damageQueuedFor(target)) {
                    moveDamage = true;
                    trace("window 0x%x moved while showing: its next damage is the move's\n", target);
                }
            } else if (type == XCB_DESTROY_NOTIFY) {
                windows_.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event.get())->window);
            } else if (type == damageNotify_) {
                const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event.get());
                if (target == XCB_NONE || damage->drawable != target) {
                    ++otherDamage;
                    continue;
                }
                trace("%8.2f ms DamageNotify 0x%x area %dx%d%+d%+d%s\n", at, damage->drawable,
                      damage->area.width, damage->area.height, damage->area.x, damage->area.y,
                      moveDamage ? " (the move)" : " <- first frame");
                if (moveDamage) {
                    // One report may come as several rectangles: all but the last say more follow.
                    if (!(damage->level & 0x80))
                        moveDamage = false;
                    if (tracing())
                        traceContents(target);
                    continue;
                }
                frame = seen;
                if (otherDamage > 0)
                    trace("         (%d DamageNotify on other windows so far)\n", otherDamage);
            } else if (type == 0) {
                // A window that went away before its Damage was made: nothing to watch there.
                trace("%8.2f ms X error %d\n", at,
                      reinterpret_cast<xcb_generic_error_t*>(event.get())->error_code);
            }
        }
        if (tracing())
            traceContents(target);
        const auto settled = *frame + settle;
        while (Clock::now() < settled) {
            if (Event event = nextEvent(settled); event && (event->response_type & 0x7f) == damageNotify_) {
                const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event.get());
                if (damage->drawable == target)
                    trace("%8.2f ms DamageNotify area %dx%d%+d%+d\n", msBetween(start, Clock::now()),
                          damage->area.width, damage->area.height, damage->area.x, damage->area.y);
            }
        }
        Measurement result;
        result.firstFrameMs = msBetween(start, *frame);
        result.peakRssKb = child.peakRssKb();
        child.end();
        // The server tears the windows down once it sees the program gone; waiting for that keeps
        // one run's clean-up out of the next run's time.
        const auto deadline = Clock::now() + 2s;
        while (windows_.contains(target) && Clock::now() < deadline)
            if (Event event = nextEvent(deadline);
                event && (event->response_type & 0x7f) == XCB_DESTROY_NOTIFY)
                windows_.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event.get())->window);
        trace("%s: first frame %.2f ms, peak RSS %ld kB\n", program.c_str(), result.firstFrameMs,
              result.peakRssKb);
        return result;
    }

    // Whether the window and every frame around it are mapped.
    bool showing(xcb_window_t window) const
    {
        for (auto known = windows_.find(window); known != windows_.end();
             known = windows_.find(known->second.parent))
            if (!known->second.mapped)
                return false;
        return true;
    }

    // The main window, not a splash or a dialog that may show before it: the game's client size.
    bool mainWindowSized(xcb_window_t window) const
    {
        const auto known = windows_.find(window);
        return known != windows_.end() && known->second.width == mainWindowWidth &&
               known->second.height == mainWindowHeight;
    }

    // Whether the window is the target or one of the frames around it.
    bool onPath(xcb_window_t window, xcb_window_t target) const
    {
        for (auto known = windows_.find(target); known != windows_.end();
             known = windows_.find(known->second.parent))
            if (known->first == window)
                return true;
        return false;
    }

    // The events a move caused all reach this benchmark before the answer to a question asked
    // after it: were any of them damage on the window? (Later events stay queued, in order.)
    bool damageQueuedFor(xcb_window_t window)
    {
        std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        bool found = false;
        while (xcb_generic_event_t* queued = xcb_poll_for_queued_event(connection_)) {
            if ((queued->response_type & 0x7f) == damageNotify_ &&
                reinterpret_cast<xcb_damage_notify_event_t*>(queued)->drawable == window)
                found = true;
            pending_.emplace_back(queued);
        }
        return found;
    }

    Event nextEvent(Clock::time_point deadline)
    {
        if (!pending_.empty()) {
            Event event = std::move(pending_.front());
            pending_.pop_front();
            return event;
        }
        for (;;) {
            if (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
                return Event(event);
            if (xcb_connection_has_error(connection_))
                return nullptr;
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left <= 0ms)
                return nullptr;
            pollfd socket{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&socket, 1, static_cast<int>(left.count()));
        }
    }

    // Returns the window's map state as it was just after its Damage was made.
    uint8_t watch(xcb_window_t window)
    {
        // Its own structure events follow the window into a window manager's frame.
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
        xcb_damage_create(connection_, xcb_generate_id(connection_), window,
                          XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        std::unique_ptr<xcb_get_window_attributes_reply_t, EventFree> attributes(
            xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window),
                                            nullptr));
        if (!attributes)
            return XCB_MAP_STATE_UNMAPPED;
        return attributes->map_state;
    }

    bool ownedBy(xcb_window_t window, pid_t pid)
    {
        std::unique_ptr<xcb_get_property_reply_t, EventFree> reply(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, netWmPid_, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (!reply || xcb_get_property_value_length(reply.get()) != 4)
            return false;
        return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get())) ==
               static_cast<uint32_t>(pid);
    }

    // What the window shows at the first DAMAGE: a server-painted background would be one colour.
    void traceContents(xcb_window_t window)
    {
        std::unique_ptr<xcb_get_geometry_reply_t, EventFree> geometry(
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
        if (!geometry)
            return;
        std::unique_ptr<xcb_get_image_reply_t, EventFree> image(
            xcb_get_image_reply(connection_,
                                xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                              geometry->width, geometry->height, ~0u),
                                nullptr));
        if (!image || geometry->depth < 24)
            return;
        const auto* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image.get()));
        std::vector<uint32_t> colours(pixels, pixels + xcb_get_image_data_length(image.get()) / 4);
        std::sort(colours.begin(), colours.end());
        const auto distinct = std::unique(colours.begin(), colours.end()) - colours.begin();
        trace("window 0x%x %dx%d holds %ld distinct colours (first pixel %06x)\n", window, geometry->width,
              geometry->height, static_cast<long>(distinct), pixels[0] & 0xffffff);
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t netWmPid_ = XCB_NONE;
    uint8_t damageNotify_ = 0;
    int repeatedRuns_ = 0;
    std::map<xcb_window_t, Window> windows_;
    std::deque<Event> pending_;
    std::string problem_;
};

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A private PulseAudio whose only output is a null sink: the sound cases play somewhere real without
// touching the machine's own sound setup.
class PrivateSoundServer {
  public:
    PrivateSoundServer()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "frobny-pulse-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        runtime_ = pattern;
        const std::string runtimeEntry = "XDG_RUNTIME_DIR=" + runtime_.string();
        const std::string homeEntry = "HOME=" + runtime_.string();
        std::vector<std::string> entries;
        for (char** entry = environ; *entry; ++entry) {
            const std::string_view text(*entry);
            if (!text.starts_with("XDG_RUNTIME_DIR=") && !text.starts_with("HOME=") &&
                !text.starts_with("PULSE_SERVER="))
                entries.emplace_back(text);
        }
        entries.push_back(runtimeEntry);
        entries.push_back(homeEntry);
        std::vector<char*> environment;
        for (std::string& entry : entries)
            environment.push_back(entry.data());
        environment.push_back(nullptr);
        std::string program = "pulseaudio";
        std::vector<std::string> arguments = {program,
                                              "-n",
                                              "--daemonize=no",
                                              "--exit-idle-time=-1",
                                              "--disallow-exit",
                                              "--load=module-null-sink sink_name=benchsink",
                                              "--load=module-native-protocol-unix"};
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const pid_t parent = getpid();
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent)
                _exit(EXIT_FAILURE);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execvpe("pulseaudio", argv.data(), environment.data());
            _exit(127);
        }
        const auto socket = runtime_ / "pulse" / "native";
        const auto deadline = Clock::now() + 10s;
        while (pid_ > 0 && Clock::now() < deadline && !std::filesystem::exists(socket)) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = 0;
                break;
            }
            std::this_thread::sleep_for(20ms);
        }
        if (pid_ > 0 && std::filesystem::exists(socket))
            address_ = "unix:" + socket.string();
    }
    ~PrivateSoundServer()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        std::error_code ignored;
        if (!runtime_.empty())
            std::filesystem::remove_all(runtime_, ignored);
    }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // Empty when PulseAudio could not be started.
    const std::string& address() const { return address_; }

  private:
    std::filesystem::path runtime_;
    pid_t pid_ = 0;
    std::string address_;
};

// The four ways the game starts, each against the bare window of the same round.
struct GameCase {
    const char* name;
    const char* settings;
    bool server;
    std::chrono::milliseconds settle;
};
const GameCase gameCases[] = {
    {"sound and music off", "sound=0\nmusic=0\n", true, settleGame},
    {"sound on, music off", "sound=1\nmusic=0\n", true, settleGame},
    {"sound on, no server", "sound=1\nmusic=0\n", false, settleGame},
    {"music playing", "sound=1\nmusic=1\n", true, settleMusic},
};
constexpr size_t caseCount = std::size(gameCases);

struct Summary {
    std::vector<double> bareMs, bareKb;
    std::array<std::vector<double>, caseCount> gameMs, gameKb;
    int repeatedRuns = 0;
    bool privateServer = false;
};
Summary summary;

void BM_StartupCases(benchmark::State& state)
{
    summary = {};
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        state.SkipWithError("DISPLAY is not set: start an X server first (see bench/startup.cpp)");
        return;
    }
    XServerWatch watch;
    if (!watch.problem().empty()) {
        state.SkipWithError(watch.problem().c_str());
        return;
    }
    const PrivateSoundServer server;
    summary.privateServer = !server.address().empty();
    std::vector<std::unique_ptr<ScratchConfig>> configs;
    std::vector<std::unique_ptr<ChildEnvironment>> environments;
    const ScratchConfig bareConfig("");
    const ChildEnvironment bareEnvironment(bareConfig.path(), {});
    for (const GameCase& game : gameCases) {
        configs.push_back(std::make_unique<ScratchConfig>(game.settings));
        if (configs.back()->path().empty()) {
            state.SkipWithError("cannot make a scratch settings folder");
            return;
        }
        // Without a private server the sound cases use whatever the environment offers.
        std::vector<std::string> extra;
        if (!game.server)
            extra.push_back("PULSE_SERVER=unix:/nonexistent/frobny-no-sound-server");
        else if (summary.privateServer)
            extra.push_back("PULSE_SERVER=" + server.address());
        environments.push_back(std::make_unique<ChildEnvironment>(configs.back()->path(), extra));
    }
    const std::string bare = (ownFolder() / "startup_bare").string();
    const std::string program = (ownFolder() / "frobny-office").string();
    for (const std::string& needed : {bare, program})
        if (access(needed.c_str(), X_OK) != 0) {
            state.SkipWithError((needed + " is missing: build the bench_startup target").c_str());
            return;
        }
    std::string problem;
    // One untimed round first: the first start of each reads its libraries from disk.
    if (!watch.measure(bare, bareEnvironment.get(), settleBare, problem)) {
        state.SkipWithError(problem.c_str());
        return;
    }
    for (size_t index = 0; index < caseCount; ++index)
        if (!watch.measure(program, environments[index]->get(), settleBare, problem)) {
            state.SkipWithError(problem.c_str());
            return;
        }
    for (auto _ : state) {
        const auto bareRun = watch.measure(bare, bareEnvironment.get(), settleBare, problem);
        if (!bareRun) {
            state.SkipWithError(problem.c_str());
            break;
        }
        summary.bareMs.push_back(bareRun->firstFrameMs);
        summary.bareKb.push_back(static_cast<double>(bareRun->peakRssKb));
        double roundMs = 0;
        for (size_t index = 0; index < caseCount; ++index) {
            const auto gameRun =
                watch.measure(program, environments[index]->get(), gameCases[index].settle, problem);
            if (!gameRun) {
                state.SkipWithError(problem.c_str());
                return;
            }
            summary.gameMs[index].push_back(gameRun->firstFrameMs);
            summary.gameKb[index].push_back(static_cast<double>(gameRun->peakRssKb));
            roundMs += gameRun->firstFrameMs;
        }
        state.SetIterationTime(roundMs / caseCount / 1000);
    }
    summary.repeatedRuns = watch.repeatedRuns();
    if (summary.bareMs.empty() || summary.gameMs[caseCount - 1].size() != summary.bareMs.size())
        return;
    const double bareMs = median(summary.bareMs), bareKb = median(summary.bareKb);
    for (size_t index = 0; index < caseCount; ++index) {
        const std::string key = "case" + std::to_string(index + 1);
        state.counters[key + "_ratio"] = median(summary.gameMs[index]) / bareMs;
        state.counters[key + "_rss_ratio"] = median(summary.gameKb[index]) / bareKb;
    }
}
} // namespace

// The iteration time is the game's mean over the cases; the counters hold the ratios of the medians.
int main(int argc, char** argv)
{
    const char* rounds = std::getenv("FROBNY_STARTUP_ROUNDS");
    const int roundCount = rounds ? std::max(1, std::atoi(rounds)) : 7;
    benchmark::RegisterBenchmark("BM_StartupCases", BM_StartupCases)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(roundCount);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (summary.bareMs.empty() || summary.gameMs[caseCount - 1].size() != summary.bareMs.size())
        return 0;
    const double bareMs = median(summary.bareMs), bareKb = median(summary.bareKb);
    std::printf(
        "\nFirst frame at the X server and peak RSS, medians of %zu rounds (bare window, then each case):\n",
        summary.bareMs.size());
    if (!summary.privateServer)
        std::printf(
            "  (PulseAudio could not be started: the sound cases use the environment's server, if any)\n");
    std::printf("  %-22s %9s %7s %10s %7s\n", "", "frame ms", "ratio", "RSS kB", "ratio");
    std::printf("  %-22s %9.1f %7s %10.0f %7s\n", "bare Qt window", bareMs, "", bareKb, "");
    for (size_t index = 0; index < caseCount; ++index) {
        const double ms = median(summary.gameMs[index]), kb = median(summary.gameKb[index]);
        std::printf("  %-22s %9.1f %6.2fx %10.0f %6.2fx\n", gameCases[index].name, ms, ms / bareMs, kb,
                    kb / bareKb);
    }
    const auto [bareLow, bareHigh] = std::minmax_element(summary.bareMs.begin(), summary.bareMs.end());
    std::printf("  spread of the bare window: %.1f .. %.1f ms\n", *bareLow, *bareHigh);
    if (summary.repeatedRuns > 0)
        std::printf("  %d runs ran again: their window showed before the benchmark could watch it\n",
                    summary.repeatedRuns);
    return 0;
}
