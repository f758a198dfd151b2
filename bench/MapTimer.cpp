// Starts a program and reports how long it took until it mapped its first
// top-level window, until that window's pixels settled, and its peak
// resident memory by the end:
//   map-timer [--trace] <watch-ms> program [args...]
//     ->  "<ms-to-map> <ms-to-settled> <peak-rss-kib>"
// After the map the window's image is taken every 2 ms or so for watch-ms
// (2000 gives the figures startup.sh reports). Settled is the first moment
// the image equals one that recurs in the last second of that watch: the
// window then shows what it keeps showing, and a blinking caret, which
// alternates between two images, counts as final.
// Run it on a display without a window manager, where top-level windows are
// children of the root and their MapNotify reaches a root listener.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <sys/ipc.h>
#include <sys/resource.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool xFailed = false;

int noteXError(Display*, XErrorEvent*)
{
    xFailed = true;
    return 0;
}

struct Rect {
    int x = 0, y = 0;
    unsigned width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// The part of the screen the window covers. Taken from the root rather than
// from the window, which XGetImage refuses while any of it is off screen.
bool screenRectOf(Display* display, Window window, Rect& rect)
{
    Window root = 0, child = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    xFailed = false;
    if (!XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth) || xFailed)
        return false;
    if (!XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child) || xFailed)
        return false;
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + static_cast<int>(width), screenWidth);
    const int bottom = std::min(y + static_cast<int>(height), screenHeight);
    if (right <= left || bottom <= top)
        return false;
    rect = {left, top, static_cast<unsigned>(right - left), static_cast<unsigned>(bottom - top)};
    return true;
}

std::uint64_t hashOf(const XImage& image)
{
    // FNV-1a over the pixels' values: padding bits of a 24-bit visual in 32
    // bits per pixel carry nothing the screen shows.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    const auto mix = [&hash](std::uint64_t value) {
        hash ^= value;
        hash *= 0x100000001b3ULL;
    };
    const unsigned long mask = image.red_mask | image.green_mask | image.blue_mask;
    for (int y = 0; y < image.height; ++y) {
        const char* row = image.data + static_cast<std::ptrdiff_t>(y) * image.bytes_per_line;
        if (image.bits_per_pixel == 32) {
            const auto* pixels = reinterpret_cast<const std::uint32_t*>(row);
            for (int x = 0; x < image.width; ++x)
                mix(pixels[x] & mask);
        } else {
            for (int i = 0; i < image.width * image.bits_per_pixel / 8; ++i)
                mix(static_cast<unsigned char>(row[i]));
        }
    }
    return hash;
}

// Takes the window's image, through shared memory where the server offers
// it: a round trip that copies the pixels over the socket every 2 ms would
// load the server that the program under test is drawing through. The
// segment is as large as the screen and attached before the program starts,
// so that the first image after the map costs no more than the others.
class Grabber {
public:
    explicit Grabber(Display* display)
        : display_(display)
    {
        if (!XShmQueryExtension(display))
            return;
        const int screen = DefaultScreen(display);
        XImage* probe = XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen),
                                        ZPixmap, nullptr, &info_, static_cast<unsigned>(DisplayWidth(display, screen)),
                                        static_cast<unsigned>(DisplayHeight(display, screen)));
        if (!probe)
            return;
        const std::size_t size = static_cast<std::size_t>(probe->bytes_per_line) * static_cast<std::size_t>(probe->height);
        XDestroyImage(probe);
        info_.shmid = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
        if (info_.shmid < 0)
            return;
        void* const memory = shmat(info_.shmid, nullptr, 0);
        // Marked for removal at once, so that no segment outlives the timer.
        shmctl(info_.shmid, IPC_RMID, nullptr);
        if (memory == reinterpret_cast<void*>(-1))
            return;
        info_.shmaddr = static_cast<char*>(memory);
        info_.readOnly = False;
        xFailed = false;
        const bool attached = XShmAttach(display, &info_);
        XSync(display, False);
        attached_ = attached && !xFailed;
    }
    ~Grabber()
    {
        dropImage();
        if (attached_)
            XShmDetach(display_, &info_);
        if (info_.shmaddr)
            shmdt(info_.shmaddr);
    }
    Grabber(const Grabber&) = delete;
    Grabber& operator=(const Grabber&) = delete;

    // What the screen shows in `rect`, valid until the next call; null when
    // the image could not be taken.
    const XImage* grab(const Rect& rect)
    {
        const Window root = DefaultRootWindow(display_);
        xFailed = false;
        if (!attached_) {
            dropImage();
            image_ = XGetImage(display_, root, rect.x, rect.y, rect.width, rect.height, AllPlanes, ZPixmap);
            return image_;
        }
        if (!image_ || static_cast<unsigned>(image_->width) != rect.width
            || static_cast<unsigned>(image_->height) != rect.height) {
            dropImage();
            const int screen = DefaultScreen(display_);
            image_ = XShmCreateImage(display_, DefaultVisual(display_, screen), DefaultDepth(display_, screen), ZPixmap,
                                     info_.shmaddr, &info_, rect.width, rect.height);
            if (!image_)
                return nullptr;
        }
        if (!XShmGetImage(display_, root, image_, rect.x, rect.y, AllPlanes) || xFailed)
            return nullptr;
        return image_;
    }

private:
    void dropImage()
    {
        if (!image_)
            return;
        // The segment is not the image's to free.
        if (attached_)
            image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
    }

    Display* display_;
    XShmSegmentInfo info_{};
    bool attached_ = false;
    XImage* image_ = nullptr;
};

struct Sample {
    double ms;
    std::uint64_t hash;
};

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const bool trace = argc > 1 && std::string_view(argv[1]) == "--trace";
    if (trace) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s [--trace] watch-ms program [args...]\n", argv[0]);
        return 2;
    }
    const double watchMs = std::atof(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map-timer: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(noteXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    // Released before the display closes.
    auto grabber = std::make_unique<Grabber>(display);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    Window window = 0;
    while (!window) {
        XEvent event;
        XNextEvent(display, &event);
        // Override-redirect windows (tooltips, menus) are not the program's
        // window.
        if (event.type == MapNotify && !event.xmap.override_redirect)
            window = event.xmap.window;
    }
    const double mappedMs = msSince(start);

    std::vector<Sample> samples;
    const auto watchEnd = Clock::now() + std::chrono::duration<double, std::milli>(watchMs);
    for (auto next = Clock::now(); next < watchEnd;) {
        Rect rect;
        // Timed when the image arrives: the window showed it by then.
        if (screenRectOf(display, window, rect)) {
            if (const XImage* image = grabber->grab(rect)) {
                const double ms = msSince(start);
                samples.push_back({ms, hashOf(*image)});
            }
        }
        // A late image moves the schedule rather than crowding the next ones.
        next = std::max(next + std::chrono::milliseconds(2), Clock::now());
        std::this_thread::sleep_until(next);
    }
    grabber.reset();

    // With --trace (before watch-ms) each change of the image goes to
    // standard error, to see what a window does between map and settled.
    if (trace)
        for (std::size_t i = 0; i < samples.size(); ++i)
            if (i == 0 || samples[i].hash != samples[i - 1].hash)
                std::fprintf(stderr, "%8.1f ms  image %016llx\n", samples[i].ms,
                             static_cast<unsigned long long>(samples[i].hash));

    double settledMs = -1;
    if (!samples.empty()) {
        const double lastSecond = samples.back().ms - 1000;
        std::set<std::uint64_t> final;
        for (const Sample& sample : samples)
            if (sample.ms >= lastSecond)
                final.insert(sample.hash);
        for (const Sample& sample : samples)
            if (final.count(sample.hash)) {
                settledMs = sample.ms;
                break;
            }
    }

    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("%.1f %.1f %ld\n", mappedMs, settledMs, usage.ru_maxrss);
    XCloseDisplay(display);
    return samples.empty() ? 1 : 0;
}
