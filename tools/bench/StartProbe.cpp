// Starts one program on the X display of $DISPLAY and reports how long it took
// from exec to its first mapped top-level window, and its resident memory a
// moment later. The display must be private to the benchmark: any window that
// maps on it counts as the program's.
//
//   quorvane_bench_probe [--settle-ms N] [--timeout-ms N] -- program [arguments]
//
// Prints one line, "start_ms=<ms> cpu_ms=<ms> rss_kb=<kB> gl=<0|1>": cpu_ms is
// the processor time all the program's threads had used when the window
// mapped, which a busy machine inflates far less than start_ms; gl tells
// whether the process had loaded the toolkit's OpenGL integration; exits non-zero when the program
// showed no window in time or ended early. The program's own output is
// dropped. It is ended with SIGTERM (SIGKILL if it lingers) after the memory
// reading.
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

// Waits for a window larger than a pixel to map anywhere under the root.
bool WaitForMappedWindow(xcb_connection_t* connection, pid_t pid, int timeoutMs, Clock::time_point start)
{
    const int fd = xcb_get_file_descriptor(connection);
    while (MsSince(start) < timeoutMs) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
            std::free(event);
            if (!mapped)
                continue;
            xcb_get_geometry_reply_t* geometry =
                xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
            const bool real = geometry && geometry->width > 1 && geometry->height > 1;
            std::free(geometry);
            if (real)
                return true;
        }
        if (xcb_connection_has_error(connection) || !StillRunning(pid))
            return false;
        pollfd waiting{fd, POLLIN, 0};
        poll(&waiting, 1, 20);
    }
    return false;
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

    if (!WaitForMappedWindow(connection, pid, timeoutMs, start)) {
        std::fprintf(stderr, "no window from %s\n", argv[first]);
        if (StillRunning(pid))
            EndProcess(pid);
        return 1;
    }
    const double startMs = MsSince(start);
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
    std::printf("start_ms=%.1f cpu_ms=%.1f rss_kb=%ld gl=%d\n", startMs, cpuMs, residentKb, openGl ? 1 : 0);
    return 0;
}
