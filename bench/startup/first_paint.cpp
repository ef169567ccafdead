// Starts a program on an X display and measures, from the fork, when its
// first top-level window is mapped and when that window first shows painted
// pixels; then ends the program with SIGTERM.
//
// The display must have a black root window (Xvfb -br) and no window
// manager: an unpainted window then reads back all black, and the first
// read-back with any other pixel is the program's first paint reaching the
// screen. Nothing in the program is touched or asked to cooperate.
//
// usage: first_paint [--hold SECONDS] -- PROGRAM [ARGS...]
// prints: map_ms=<ms> paint_ms=<ms> exit=<status of the program>
//         start_ns=<CLOCK_MONOTONIC of the fork, for a program's own hook>

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

namespace {

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

[[noreturn]] void Die(const char* what, pid_t child) {
    std::fprintf(stderr, "first_paint: %s\n", what);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    std::exit(1);
}

bool ChildGone(pid_t child) {
    int status = 0;
    return waitpid(child, &status, WNOHANG) == child;
}

// True when any pixel of the window is not black.
bool Painted(xcb_connection_t* c, xcb_window_t w, std::uint16_t width, std::uint16_t height) {
    const auto cookie = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, width, height, ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(c, cookie, nullptr), &std::free);
    if (!reply) {
        return false; // not viewable yet
    }
    const std::uint8_t* data = xcb_get_image_data(reply.get());
    const int n = xcb_get_image_data_length(reply.get());
    for (int i = 0; i < n; ++i) {
        if (data[i] != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    double holdSeconds = 0.5;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--hold") == 0 && first + 1 < argc) {
            holdSeconds = std::atof(argv[++first]);
        } else if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        } else {
            break;
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: first_paint [--hold SECONDS] -- PROGRAM [ARGS...]\n");
        return 2;
    }

    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        Die("no X display", 0);
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&it);
    }
    const xcb_window_t root = it.data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip, so that the mask is in force before the program starts.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const double start = NowMs();
    const pid_t child = fork();
    if (child < 0) {
        Die("fork failed", 0);
    }
    if (child == 0) {
        execvp(argv[first], argv + first);
        std::perror("first_paint: exec");
        _exit(127);
    }

    // The first top-level window that is mapped (override-redirect windows
    // such as tooltips excepted).
    xcb_window_t window = 0;
    double mapMs = 0;
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (window == 0) {
        if (NowMs() - start > 30000) {
            Die("no window within 30 s", child);
        }
        if (ChildGone(child)) {
            Die("the program ended before showing a window", 0);
        }
        xcb_generic_event_t* e = xcb_poll_for_event(c);
        if (e == nullptr) {
            poll(&pfd, 1, 5);
            continue;
        }
        if ((e->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            const auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (!m->override_redirect) {
                window = m->window;
                mapMs = NowMs() - start;
            }
        }
        std::free(e);
    }

    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    if (!geometry) {
        Die("window vanished", child);
    }
    double paintMs = 0;
    while (paintMs == 0) {
        if (NowMs() - start > 30000) {
            Die("no paint within 30 s", child);
        }
        if (ChildGone(child)) {
            Die("the program ended before painting", 0);
        }
        if (Painted(c, window, geometry->width, geometry->height)) {
            paintMs = NowMs() - start;
        } else {
            usleep(500);
        }
    }

    usleep(static_cast<useconds_t>(holdSeconds * 1e6));
    if (ChildGone(child)) {
        Die("the program ended by itself", 0);
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    xcb_disconnect(c);
    std::printf("map_ms=%.1f paint_ms=%.1f exit=%d start_ns=%.0f\n", mapMs, paintMs,
                WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), start * 1e6);
    return 0;
}
