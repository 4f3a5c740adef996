// Starts a program and measures the time until a top-level window whose title contains the
// given text is mapped on the X display: what a user sees as "the window is there".
//
// usage: tessaro-startup-probe TITLE-TEXT PROGRAM [ARG...]   (prints milliseconds)

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

static bool TitleContains(Display *display, Window window, const char *text)
{
    char *name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    const bool found = std::strstr(name, text) != nullptr;
    XFree(name);
    return found;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: tessaro-startup-probe TITLE-TEXT PROGRAM [ARG...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    // A window is mapped before or after its title is set; look at both moments.
    bool found = false;
    while (!found) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            found = TitleContains(display, event.xmap.window, argv[1]);
    }
    const auto mapped = std::chrono::steady_clock::now();
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(mapped - start).count());
    XCloseDisplay(display);
    return 0;
}
