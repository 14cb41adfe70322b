// Starts a program RUNS times on the X display and prints, one per line, the milliseconds from the start of the
// process to the mapping of its first top-level window; the program is then ended. Used by scripts/bench-startup.
//   map_wait RUNS PROGRAM [ARGS...]
#include <X11/Xlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_wait RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map_wait: no X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execvp(argv[2], argv + 2);
            _exit(127);
        }
        XEvent event;
        for (;;) {
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                break;
        }
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("%.1f\n", ms);
        std::fflush(stdout);
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        // Events of the window's end belong to this run.
        XSync(display, True);
    }
    XCloseDisplay(display);
    return 0;
}
