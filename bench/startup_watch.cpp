// Starts a program on the X display of $DISPLAY and prints how long it took
// from exec to the first top-level window mapped (milliseconds), the
// processor time it had used by then (milliseconds, steadier than the first
// on a busy machine), and its resident memory 1.5 s later (KiB); then ends it.
// Usage: startup_watch PROGRAM [ARGUMENTS...]
#include <xcb/xcb.h>

#include <dirent.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

namespace {

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

/** Processor time of all the threads of pid so far, in milliseconds. */
double processorMs(pid_t pid)
{
    double total = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    if (DIR *dir = opendir(tasks.c_str())) {
        while (const dirent *entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
            double nanoseconds = 0;
            if (stat >> nanoseconds)
                total += nanoseconds / 1e6;
        }
        closedir(dir);
    }
    return total;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fputs("usage: startup_watch PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fputs("startup_watch: cannot open the display\n", stderr);
        return 1;
    }
    // Every window mapped as a child of the root (the window manager's
    // frames, with the program's window inside) is reported to us.
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    const double start = now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("startup_watch: exec");
        _exit(127);
    }
    double mapped = -1;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (mapped < 0 && now() - start < 20000) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&free)> owned(event, &free);
            if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
                continue;
            // Menus and tooltips map themselves without the window manager.
            if (!reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect) {
                mapped = now();
                break;
            }
        }
        if (mapped < 0)
            poll(&fd, 1, 100);
        int status = 0;
        if (mapped < 0 && waitpid(child, &status, WNOHANG) == child) {
            std::fputs("startup_watch: the program ended before showing a window\n", stderr);
            return 1;
        }
    }
    if (mapped < 0) {
        std::fputs("startup_watch: no window within 20 s\n", stderr);
        kill(child, SIGKILL);
        return 1;
    }
    const double processor = processorMs(child);
    usleep(1500 * 1000);
    const long rss = residentKiB(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    std::printf("%.1f %ld %.1f\n", mapped - start, rss, processor);
    return 0;
}
