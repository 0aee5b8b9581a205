// Starts a program and prints the milliseconds from just before its exec to the map and to the
// first paint of its first real window, seen from outside through the X Damage extension.
//   firstpaint PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    // A program that never paints must not hang the measurement.
    alarm(10);
    Display *display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError))
        return 3;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    double mapped = -1;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && mapped < 0) {
            // Qt also maps small helper windows; the program's window is the first big one.
            XWindowAttributes attributes;
            XGetWindowAttributes(display, event.xmap.window, &attributes);
            if (attributes.width > 10 && attributes.height > 10) {
                mapped = nowMs() - start;
                XDamageCreate(display, event.xmap.window, XDamageReportNonEmpty);
                XSync(display, False);
            }
        } else if (event.type == damageEvent + XDamageNotify) {
            break;
        }
    }
    std::printf("%.1f %.1f\n", mapped, nowMs() - start);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return 0;
}
