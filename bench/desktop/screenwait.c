/* Times how long until a picture shows on the X screen.
 *
 *   screenwait HUE TIMEOUT_MS -- PROGRAM [ARGS...]   starts PROGRAM, then waits
 *   screenwait HUE TIMEOUT_MS --key KEYSYM            presses KEYSYM, then waits
 *
 * HUE is "red" or "blue": the benchmark's photos are noise of one dominant
 * hue each, so the screen shows a photo once most sampled pixels inside the
 * largest window lean that way. Prints the milliseconds from the start or the
 * key press until then, and for PROGRAM its process id on a second line.
 * Exits 1 on timeout. */
#define _DEFAULT_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <sys/types.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* The share of a grid of samples over the screen's middle that leans to the hue. */
static double hue_share(Display* d, Window root, int w, int h, int red) {
    const int x0 = w / 4, y0 = h / 4, cw = w / 2, ch = h / 2;
    XImage* img = XGetImage(d, root, x0, y0, cw, ch, AllPlanes, ZPixmap);
    if (!img) return 0;
    int hits = 0, total = 0;
    for (int y = 4; y < ch; y += 16)
        for (int x = 4; x < cw; x += 16) {
            unsigned long p = XGetPixel(img, x, y);
            int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            int lead = red ? r - (g > b ? g : b) : b - (g > r ? g : r);
            hits += lead > 40;
            ++total;
        }
    XDestroyImage(img);
    return total ? (double)hits / total : 0;
}

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: screenwait red|blue TIMEOUT_MS (-- PROGRAM ARGS... | --key KEYSYM)\n");
        return 2;
    }
    const int red = strcmp(argv[1], "red") == 0;
    const double timeout = atof(argv[2]);
    Display* d = XOpenDisplay(NULL);
    if (!d) { fprintf(stderr, "screenwait: no display\n"); return 2; }
    Window root = DefaultRootWindow(d);
    const int w = DisplayWidth(d, DefaultScreen(d)), h = DisplayHeight(d, DefaultScreen(d));
    pid_t child = 0;
    double start = now_ms();
    if (strcmp(argv[3], "--key") == 0) {
        KeyCode code = XKeysymToKeycode(d, XStringToKeysym(argv[4]));
        start = now_ms();
        XTestFakeKeyEvent(d, code, True, 0);
        XTestFakeKeyEvent(d, code, False, 0);
        XFlush(d);
    } else {
        child = fork();
        if (child == 0) {
            /* The viewer's output must not hold the caller's pipe open. */
            if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
            execvp(argv[4], argv + 4);
            _exit(127);
        }
    }
    while (now_ms() - start < timeout) {
        if (hue_share(d, root, w, h, red) > 0.6) {
            printf("%.1f\n", now_ms() - start);
            if (child) printf("%d\n", (int)child);
            return 0;
        }
        usleep(2000);
    }
    if (child) printf("timeout\n%d\n", (int)child);
    return 1;
}
