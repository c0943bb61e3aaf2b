// The first frame of the 100-frame animation as a reader sees it: an Xvfb of
// its own, the player started on it in the measured game folder, New Game
// clicked through the X server, and the CG window's middle pixel read back
// from the server until it shows the first frame. Kept apart from the rest of
// the measurement because Xlib's names clash with the player's.
#include "first_frame_on_x.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double NowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

pid_t Spawn(const std::vector<std::string>& words, const char* folder, const char* display) {
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder) != 0) std::_Exit(1);
        if (display) setenv("DISPLAY", display, 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("QT_QPA_PLATFORM");
        std::vector<char*> argv;
        for (const std::string& word : words)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        std::_Exit(127);
    }
    return child;
}

// The system time a process has used, in clock ticks: what the kernel spent on
// its behalf, mostly page faults of fresh memory.
long SystemTicks(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
    FILE* file = std::fopen(path, "r");
    if (!file) return -1;
    char line[1024] = {};
    const size_t read = std::fread(line, 1, sizeof line - 1, file);
    std::fclose(file);
    line[read] = '\0';
    // Fields after the command's closing parenthesis; stime is the 13th of them.
    const char* field = std::strrchr(line, ')');
    for (int i = 0; field && i < 13; ++i)
        field = std::strchr(field + 1, ' ');
    return field ? std::atol(field + 1) : -1;
}

// The player's top-level window: the one whose class is "lanternwick".
Window FindPlayerWindow(Display* x, Window under) {
    XClassHint hint{};
    if (XGetClassHint(x, under, &hint)) {
        const bool found = hint.res_class && std::strcmp(hint.res_class, "lanternwick") == 0;
        XFree(hint.res_name);
        XFree(hint.res_class);
        if (found) return under;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(x, under, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i)
            found = FindPlayerWindow(x, children[i]);
        XFree(children);
    }
    return found;
}

uint32_t PixelOf(Display* x, Window window, int px, int py) {
    XImage* image = XGetImage(x, window, px, py, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return static_cast<uint32_t>(pixel & 0xffffff);
}

// Within a few steps on each of red, green and blue: decoders round apart.
bool Near(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16}) {
        const int difference =
            static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff);
        if (std::abs(difference) > 8) return false;
    }
    return true;
}

// The CG window's picture starts at (10, 10) in the main window; New Game is
// the third button of the column at x 496.
constexpr int kPictureLeft = 10, kPictureTop = 10;
constexpr int kNewGameX = 496 + 60, kNewGameY = 8 + 40 * 2 + 16;

struct Seen {
    double ms = -1;        // from the click to the first frame; < 0: not within 5 s
    double systemMs = -1;  // of it, the kernel's work for the player
};

Seen FirstFrameSeenFromOutside(const char* folder, const char* display, const char* player,
                               uint32_t firstFrame) {
    Seen seen;
    Display* x = XOpenDisplay(display);
    if (!x) return seen;
    const pid_t child = Spawn({player}, folder, display);
    Window window = 0;
    const double startedAt = NowMs();
    while (!window && NowMs() - startedAt < 10000) {
        usleep(20000);
        window = FindPlayerWindow(x, DefaultRootWindow(x));
    }
    if (window) {
        usleep(1500000);  // the title painted and its music started
        const int px = kPictureLeft + 240, py = kPictureTop + 180;
        int rootX = 0, rootY = 0;
        Window unused;
        XTranslateCoordinates(x, window, DefaultRootWindow(x), kNewGameX, kNewGameY, &rootX, &rootY,
                              &unused);
        XTestFakeMotionEvent(x, -1, rootX, rootY, 0);
        XSync(x, False);
        const long ticksBefore = SystemTicks(child);
        const double clickedAt = NowMs();
        XTestFakeButtonEvent(x, 1, True, 0);
        XTestFakeButtonEvent(x, 1, False, 0);
        XFlush(x);
        while (NowMs() - clickedAt < 5000) {
            if (Near(PixelOf(x, window, px, py), firstFrame)) {
                seen.ms = NowMs() - clickedAt;
                seen.systemMs = 1000.0 * static_cast<double>(SystemTicks(child) - ticksBefore) /
                                static_cast<double>(sysconf(_SC_CLK_TCK));
                break;
            }
            usleep(500);
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(x);
    return seen;
}

}  // namespace

void MeasureFirstFrameOnX(int runs, const char* folder, const char* player, uint32_t firstFrame) {
    const char* display = ":87";
    const pid_t server = Spawn({"Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                               folder, nullptr);
    Display* probe = nullptr;
    for (int i = 0; i < 100 && !probe; ++i) {
        usleep(50000);
        probe = XOpenDisplay(display);
    }
    if (!probe) {
        std::printf("from outside: no Xvfb (package xvfb)\n");
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
        return;
    }
    XCloseDisplay(probe);
    std::vector<double> times;
    std::printf(
        "from outside (Xvfb, click through XTest to the pixel on the server), in\n"
        "brackets the system time the player used meanwhile:");
    for (int i = 0; i < runs; ++i) {
        const Seen seen = FirstFrameSeenFromOutside(folder, display, player, firstFrame);
        std::printf(" %.1f (%.0f)", seen.ms, seen.systemMs);
        std::fflush(stdout);
        if (seen.ms >= 0) times.push_back(seen.ms);
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) std::printf(" ms; median %.1f ms", times[times.size() / 2]);
    std::printf("\n");
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
}
