// startup_probe: the time from starting a program to the moment the X server
// maps its window with a given title, without polling.
//   startup_probe TITLE RUNS PROGRAM [ARG...]
// Prints one figure (milliseconds) per run. The probe listens on the root
// window for the map events of its children before it starts the program, so
// the figure is the server's own moment of mapping, and nothing runs beside
// the program while it starts. Each run ends the program (SIGTERM) before the
// next one starts.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

extern char** environ;

static pid_t running = 0;

// A program that never shows its window is ended, and so is the probe.
static void OnTimeout(int signal_number) {
    (void)signal_number;
    if (running > 0) kill(running, SIGKILL);
    static const char message[] = "startup_probe: no window within 60 s\n";
    (void)!write(2, message, sizeof message - 1);
    _exit(1);
}

static double Now() {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1000.0 + (double)t.tv_nsec / 1e6;
}

static bool HasTitle(xcb_connection_t* c, xcb_window_t w, const char* title) {
    xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    if (reply == nullptr) return 0;
    const int length = xcb_get_property_value_length(reply);
    const bool same = length == static_cast<int>(std::strlen(title)) &&
                      std::memcmp(xcb_get_property_value(reply), title, std::size_t(length)) == 0;
    free(reply);
    return same;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: startup_probe TITLE RUNS PROGRAM [ARG...]\n");
        return 2;
    }
    const char* title = argv[1];
    const int runs = std::atoi(argv[2]);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "startup_probe: cannot open the display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    signal(SIGALRM, OnTimeout);
    for (int run = 0; run < runs; ++run) {
        pid_t pid = 0;
        alarm(60);
        const double start = Now();
        if (posix_spawn(&pid, argv[3], nullptr, nullptr, argv + 3, environ) != 0) {
            fprintf(stderr, "startup_probe: cannot start %s\n", argv[3]);
            return 1;
        }
        running = pid;
        double shown = -1;
        while (shown < 0) {
            xcb_generic_event_t* event = xcb_wait_for_event(c);
            if (event == nullptr) {
                fprintf(stderr, "startup_probe: lost the display\n");
                kill(pid, SIGTERM);
                return 1;
            }
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const double at = Now();
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
                if (HasTitle(c, map->window, title)) shown = at;
            }
            free(event);
        }
        alarm(0);
        kill(pid, SIGTERM);
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        running = 0;
        printf("%.1f\n", shown - start);
        fflush(stdout);
    }
    xcb_disconnect(c);
    return 0;
}
