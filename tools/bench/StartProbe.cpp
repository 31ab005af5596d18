// Starts one program on the X display of $DISPLAY and reports how long it took
// from exec to the first drawing into its top-level window (what the user
// first sees), when that window mapped, and its resident memory a moment
// later. The display must be private to the benchmark: any window that maps on
// it counts as the program's.
//
//   quorvane_bench_probe [--settle-ms N] [--timeout-ms N] -- program [arguments]
//
// Prints one line, "start_ms=<ms> mapped_ms=<ms> cpu_ms=<ms> rss_kb=<kB> gl=<0|1>":
// start_ms is exec to the first drawing into the mapped window, mapped_ms exec
// to its mapping; cpu_ms is the processor time all the program's threads had
// used when the window was first drawn, which a busy machine inflates far less
// than start_ms; gl tells whether the process had loaded the toolkit's OpenGL
// integration; exits non-zero when the program showed no drawn window in time
// or ended early. The program's own output is dropped. It is ended with
// SIGTERM (SIGKILL if it lingers) after the memory reading.
//
// Drawing is seen through the X DAMAGE extension on the root window, watched
// from before the program starts: a window's drawing lands on the screen
// under the root, so none can slip by between the mapping and a watch set on
// the window itself.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long ResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Processor time of all threads of the process so far.
double CpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* folder = opendir(tasks.c_str());
    if (!folder)
        return -1;
    double ns = 0;
    while (dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double onCpu = 0;
        if (schedstat >> onCpu)
            ns += onCpu;
    }
    closedir(folder);
    return ns / 1e6;
}

// Whether the toolkit loaded its OpenGL integration (and with it the GL
// driver) into the process; libGL itself is always linked.
bool OpenGlMapped(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("/xcbglintegrations/") != std::string::npos)
            return true;
    }
    return false;
}

bool StillRunning(pid_t pid)
{
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

void EndProcess(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (!StillRunning(pid))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

struct Window {
    xcb_window_t id = 0;
    xcb_rectangle_t area{};
};

bool Overlaps(const xcb_rectangle_t& a, const xcb_rectangle_t& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

struct StartTimes {
    double mappedMs = -1;
    double drawnMs = -1;
};

// Waits for a window larger than a pixel to map anywhere under the root, then
// for the first drawing that reaches the screen inside it. damageEvent is the
// DAMAGE extension's first event code; damage watches the root.
bool WaitForDrawnWindow(xcb_connection_t* connection, uint8_t damageEvent, xcb_damage_damage_t damage, pid_t pid,
                        int timeoutMs, Clock::time_point start, StartTimes& times)
{
    const int fd = xcb_get_file_descriptor(connection);
    Window shown;
    while (MsSince(start) < timeoutMs) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_MAP_NOTIFY && !shown.id) {
                const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                xcb_get_geometry_reply_t* geometry =
                    xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
                if (geometry && geometry->width > 1 && geometry->height > 1) {
                    times.mappedMs = MsSince(start);
                    shown = {window, {geometry->x, geometry->y, geometry->width, geometry->height}};
                }
                std::free(geometry);
            } else if (type == damageEvent + XCB_DAMAGE_NOTIFY) {
                const xcb_rectangle_t area = reinterpret_cast<xcb_damage_notify_event_t*>(event)->area;
                // Reported once until subtracted: drawing elsewhere, or
                // before the window maps, must not hide the next report.
                xcb_damage_subtract(connection, damage, XCB_NONE, XCB_NONE);
                xcb_flush(connection);
                if (shown.id && Overlaps(area, shown.area)) {
                    times.drawnMs = MsSince(start);
                    std::free(event);
                    return true;
                }
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection) || !StillRunning(pid))
            return false;
        pollfd waiting{fd, POLLIN, 0};
        poll(&waiting, 1, 20);
    }
    return false;
}

// Watches the whole screen for drawing; returns the extension's first event
// code, or 0 when the display has no DAMAGE extension.
uint8_t WatchDrawing(xcb_connection_t* connection, xcb_window_t root, xcb_damage_damage_t& damage)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!extension || !extension->present)
        return 0;
    xcb_damage_query_version_reply_t* version = xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr);
    if (!version)
        return 0;
    std::free(version);
    damage = xcb_generate_id(connection);
    xcb_void_cookie_t created =
        xcb_damage_create_checked(connection, damage, root, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    if (xcb_generic_error_t* error = xcb_request_check(connection, created)) {
        std::free(error);
        return 0;
    }
    return extension->first_event;
}

} // namespace

int main(int argc, char* argv[])
{
    int settleMs = 2000;
    int timeoutMs = 20000;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string option = argv[first];
        if (option == "--") {
            ++first;
            break;
        }
        if (first + 1 >= argc) {
            std::fprintf(stderr, "%s needs a value\n", option.c_str());
            return 2;
        }
        if (option == "--settle-ms")
            settleMs = std::atoi(argv[++first]);
        else if (option == "--timeout-ms")
            timeoutMs = std::atoi(argv[++first]);
        else {
            std::fprintf(stderr, "unknown option %s\n", option.c_str());
            return 2;
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [--settle-ms N] [--timeout-ms N] -- program [arguments]\n", argv[0]);
        return 2;
    }

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t selected = xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(connection, selected)) {
        std::free(error);
        std::fprintf(stderr, "cannot watch the root window\n");
        return 2;
    }
    xcb_damage_damage_t damage = 0;
    const uint8_t damageEvent = WatchDrawing(connection, root, damage);
    if (!damageEvent) {
        std::fprintf(stderr, "the display cannot report drawing (no DAMAGE extension)\n");
        return 2;
    }

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program's own output is no figure; a failed start still says so.
        const int probeErrors = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        execvp(argv[first], argv + first);
        dprintf(probeErrors, "cannot start %s: %s\n", argv[first], std::strerror(errno));
        _exit(127);
    }
    if (pid < 0) {
        std::fprintf(stderr, "cannot fork\n");
        return 2;
    }

    StartTimes times;
    if (!WaitForDrawnWindow(connection, damageEvent, damage, pid, timeoutMs, start, times)) {
        std::fprintf(stderr, "no %s window from %s\n", times.mappedMs < 0 ? "mapped" : "drawn", argv[first]);
        if (StillRunning(pid))
            EndProcess(pid);
        return 1;
    }
    const double cpuMs = CpuMs(pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    if (!StillRunning(pid)) {
        std::fprintf(stderr, "%s ended before its memory was read\n", argv[first]);
        return 1;
    }
    const long residentKb = ResidentKb(pid);
    const bool openGl = OpenGlMapped(pid);
    EndProcess(pid);
    xcb_disconnect(connection);
    std::printf("start_ms=%.1f mapped_ms=%.1f cpu_ms=%.1f rss_kb=%ld gl=%d\n", times.drawnMs, times.mappedMs, cpuMs,
                residentKb, openGl ? 1 : 0);
    return 0;
}
