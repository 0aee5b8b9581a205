// Milliseconds from just before exec of a program to the first paint of its first mapped
// top-level window larger than 10x10, seen from outside through the X Damage extension.
// Usage: coldstart PROGRAM [ARGS...]; prints the figure on stdout. Exits non-zero on failure
// or after 10 s without a paint.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum
{
    timeoutMs = 10000,
    maxWindows = 64
};

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int finish(pid_t pid, int code)
{
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    return code;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "coldstart: no X display\n");
        return 2;
    }
    int damageEvent = 0, damageError = 0;
    const int haveDamage = XDamageQueryExtension(d, &damageEvent, &damageError);
    if (!haveDamage)
        fprintf(stderr, "coldstart: no Damage extension, reporting the map time instead\n");
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    // The child stamps the clock itself, so the fork is not counted.
    int stamp[2];
    if (pipe(stamp) != 0)
        return 2;
    pid_t pid = fork();
    if (pid == 0) {
        close(stamp[0]);
        double t = now();
        if (write(stamp[1], &t, sizeof t) != sizeof t)
            _exit(126);
        close(stamp[1]);
        execvp(argv[1], argv + 1);
        fprintf(stderr, "coldstart: cannot run %s: %s\n", argv[1], strerror(errno));
        _exit(127);
    }
    close(stamp[1]);
    double t0 = 0;
    if (pid < 0 || read(stamp[0], &t0, sizeof t0) != sizeof t0)
        return 2;
    close(stamp[0]);

    // Damage is tracked from creation on: a damage object made on a window that is already
    // showing reports the whole window at once, which would look like a paint.
    Window tracked[maxWindows];
    int trackedCount = 0;
    Window target = None;
    const double deadline = t0 + timeoutMs;
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == CreateNotify && haveDamage && trackedCount < maxWindows) {
                XDamageCreate(d, e.xcreatewindow.window, XDamageReportNonEmpty);
                tracked[trackedCount++] = e.xcreatewindow.window;
            } else if (e.type == MapNotify && target == None) {
                XWindowAttributes a;
                if (!XGetWindowAttributes(d, e.xmap.window, &a) || a.width <= 10 || a.height <= 10)
                    continue;
                target = e.xmap.window;
                int known = 0;
                for (int i = 0; i < trackedCount; ++i)
                    known |= tracked[i] == target;
                if (!haveDamage || !known) {
                    if (haveDamage)
                        fprintf(stderr,
                                "coldstart: window created unseen, reporting the map time\n");
                    printf("%.1f\n", now() - t0);
                    return finish(pid, 0);
                }
            } else if (haveDamage && e.type == damageEvent + XDamageNotify &&
                       ((XDamageNotifyEvent *)&e)->drawable == target) {
                printf("%.1f\n", now() - t0);
                return finish(pid, 0);
            }
        }
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "coldstart: %s ended before painting a window\n", argv[1]);
            return 1;
        }
        const double left = deadline - now();
        if (left <= 0) {
            fprintf(stderr, "coldstart: no paint within %d ms\n", timeoutMs);
            return finish(pid, 1);
        }
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, left < 50 ? (int)left + 1 : 50);
    }
}
