// Watches one top-level window from outside its program, as the X server
// and the window manager see it:
//   window-watch <window-id> [seconds]
// prints, one line each, as they happen:
//   frame <x> <y> <width> <height> <ms>    the frame's geometry: once when
//                                          watching has begun, then on
//                                          every ConfigureNotify
//   request <x> <y> <width> <height> <ms>  the program asked to configure
//                                          the window; "-" for a value it
//                                          left out
//   bell <ms>                              a bell rang on the display
//   gone <ms>                              the frame is gone and the
//                                          program has disconnected
// <ms> is when, in milliseconds since the epoch: for a request, when the X
// server took it from the program, by the server's own clock, so that a
// watcher kept waiting on a busy machine still times the program's
// requests right; for the others, when they reached window-watch.
// and ends after "gone", or after `seconds` (60 by default) with status 3.
// The frame is the window manager's: the ancestor of the window just below
// the root, or the window itself without a window manager.
//
// Requests are taken with the RECORD extension as the server receives them,
// so that each one counts even where the window manager then leaves the
// window where it was, or the program ends before the request is answered.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>

#include <poll.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool readNumber(std::string_view text, unsigned long& value)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

std::mutex outputMutex;

// Lines come from two threads; each goes out whole and at once.
void printLine(const std::string& line)
{
    const std::lock_guard lock(outputMutex);
    std::fputs((line + '\n').c_str(), stdout);
    std::fflush(stdout);
}

long long epochMilliseconds(std::chrono::system_clock::time_point time)
{
    return std::chrono::duration_cast<milliseconds>(time.time_since_epoch()).count();
}

long long nowMilliseconds()
{
    return epochMilliseconds(std::chrono::system_clock::now());
}

// The X server's time stamps are milliseconds of CLOCK_MONOTONIC, cut to 32
// bits (GetTimeInMillis); read against the same clock now, a stamp from the
// last few weeks becomes a moment on the system clock.
long long serverMilliseconds(Time stamp)
{
    const auto system = std::chrono::system_clock::now();
    const auto monotonic = std::chrono::duration_cast<milliseconds>(Clock::now().time_since_epoch()).count();
    const std::uint32_t age = static_cast<std::uint32_t>(monotonic) - static_cast<std::uint32_t>(stamp);
    return epochMilliseconds(system) - age;
}

std::string geometryLine(const char* what, int x, int y, int width, int height)
{
    return std::string(what) + ' ' + std::to_string(x) + ' ' + std::to_string(y) + ' ' + std::to_string(width)
           + ' ' + std::to_string(height) + ' ' + std::to_string(nowMilliseconds());
}

Window frameOf(Display* display, Window window)
{
    for (;;) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root || parent == 0)
            return window;
        window = parent;
    }
}

std::atomic<int> errorsSeen{0};

int countError(Display*, XErrorEvent*)
{
    ++errorsSeen;
    return 0;
}

struct Recording {
    Window window = 0;
    std::atomic<bool> started{false};
    std::atomic<bool> clientGone{false};
};

// Recorded requests are in the recorded client's byte order.
std::uint32_t word(const unsigned char* bytes, bool swapped)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return swapped ? __builtin_bswap32(value) : value;
}

std::uint16_t halfWord(const unsigned char* bytes, bool swapped)
{
    std::uint16_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return swapped ? __builtin_bswap16(value) : value;
}

// A ConfigureWindow request: window, value mask, then one 32-bit value for
// each bit set in the mask, in the order of the bits.
void printRequest(const XRecordInterceptData& intercepted, Window window)
{
    const unsigned char* bytes = intercepted.data;
    const std::size_t size = std::size_t(intercepted.data_len) * 4;
    const bool swapped = intercepted.client_swapped;
    if (size < sz_xConfigureWindowReq || bytes[0] != X_ConfigureWindow || word(bytes + 4, swapped) != window)
        return;
    const unsigned mask = halfWord(bytes + 8, swapped);
    std::size_t offset = sz_xConfigureWindowReq;
    std::string line = "request";
    for (const unsigned bit : {CWX, CWY, CWWidth, CWHeight}) {
        if ((mask & bit) && offset + 4 <= size) {
            // Positions are signed; their 32-bit slot carries the sign.
            line += ' ' + std::to_string(static_cast<std::int32_t>(word(bytes + offset, swapped)));
            offset += 4;
        } else {
            line += " -";
        }
    }
    printLine(line + ' ' + std::to_string(serverMilliseconds(intercepted.server_time)));
}

void onRecorded(XPointer closure, XRecordInterceptData* intercepted)
{
    auto& recording = *reinterpret_cast<Recording*>(closure);
    switch (intercepted->category) {
    case XRecordStartOfData:
        recording.started = true;
        break;
    case XRecordFromClient:
        printRequest(*intercepted, recording.window);
        break;
    case XRecordClientDied:
        recording.clientGone = true;
        break;
    default:
        break;
    }
    XRecordFreeData(intercepted);
}

// Waits for an event on `display`, or until the deadline has passed (then
// returns false).
bool waitForEvent(Display* display, Clock::time_point deadline)
{
    if (XPending(display))
        return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0)
        return false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    if (poll(&connection, 1, static_cast<int>(std::min<long long>(left, 50))) == 0) {
        // The server sends recorded data only when it flushes output to
        // some client; while the display is idle, a round trip makes it.
        XSync(display, False);
    }
    return true;
}

struct Watched {
    Window frame = 0;
    int xkbEvent = 0;
    bool frameGone = false;
};

void handle(const XEvent& event, Watched& watched)
{
    if (event.type == ConfigureNotify && event.xconfigure.window == watched.frame) {
        const XConfigureEvent& configure = event.xconfigure;
        printLine(geometryLine("frame", configure.x, configure.y, configure.width, configure.height));
    } else if ((event.type == DestroyNotify && event.xdestroywindow.window == watched.frame)
               || (event.type == UnmapNotify && event.xunmap.window == watched.frame)) {
        watched.frameGone = true;
    } else if (event.type == watched.xkbEvent) {
        XkbAnyEvent xkb;
        std::memcpy(&xkb, &event, sizeof xkb);
        if (xkb.xkb_type == XkbBellNotify)
            printLine("bell " + std::to_string(nowMilliseconds()));
    }
}

int watch(Display* display, Display* data, Window window, unsigned long seconds)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(seconds);
    Watched watched;
    int xkbError = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, nullptr, &watched.xkbEvent, &xkbError, &major, &minor)) {
        std::fprintf(stderr, "window-watch: the display has no XKB extension to report bells\n");
        return 2;
    }
    if (!XRecordQueryVersion(display, &major, &minor)) {
        std::fprintf(stderr, "window-watch: the display has no RECORD extension to see requests\n");
        return 2;
    }
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    watched.frame = frameOf(display, window);
    if (!watched.frame) {
        std::fprintf(stderr, "window-watch: no window 0x%lx\n", window);
        return 2;
    }
    XSelectInput(display, watched.frame, StructureNotifyMask);

    // The window's id names the client that owns it.
    XRecordClientSpec client = window;
    XRecordRange* range = XRecordAllocRange();
    range->core_requests.first = X_ConfigureWindow;
    range->core_requests.last = X_ConfigureWindow;
    range->client_died = True;
    const XRecordContext context = XRecordCreateContext(display, XRecordFromClientTime, &client, 1, &range, 1);
    XFree(range);
    XSync(display, False);
    if (!context || errorsSeen) {
        std::fprintf(stderr, "window-watch: cannot record the requests of window 0x%lx's program\n", window);
        return 2;
    }
    // Recording blocks its connection until it is disabled; it runs on a
    // thread of its own.
    Recording recording;
    recording.window = window;
    std::thread recorder([&] { XRecordEnableContext(data, context, onRecorded, reinterpret_cast<XPointer>(&recording)); });

    int status = 0;
    while (!recording.started && Clock::now() < deadline) {
        XSync(display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Read after selecting and recording, so that no change can fall
    // between the first line and the ones that follow.
    XWindowAttributes attributes{};
    if (!recording.started || !XGetWindowAttributes(display, watched.frame, &attributes) || errorsSeen) {
        std::fprintf(stderr, "window-watch: window 0x%lx went away before watching began\n", window);
        status = 2;
    } else {
        printLine(geometryLine("frame", attributes.x, attributes.y, attributes.width, attributes.height));
        while (!(watched.frameGone && recording.clientGone)) {
            if (!waitForEvent(display, deadline)) {
                std::fprintf(stderr, "window-watch: window 0x%lx was still there after %lu s\n", window, seconds);
                status = 3;
                break;
            }
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                handle(event, watched);
            }
        }
        if (status == 0)
            printLine("gone " + std::to_string(nowMilliseconds()));
    }
    XRecordDisableContext(display, context);
    XSync(display, False);
    recorder.join();
    XRecordFreeContext(display, context);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    unsigned long id = 0;
    unsigned long seconds = 60;
    if (argc < 2 || argc > 3 || !readNumber(argv[1], id) || (argc == 3 && !readNumber(argv[2], seconds))) {
        std::fprintf(stderr, "usage: %s window-id [seconds]\n", argv[0]);
        return 2;
    }
    XInitThreads();
    // Recorded data comes on a connection of its own, as RECORD requires.
    Display* display = XOpenDisplay(nullptr);
    Display* data = display ? XOpenDisplay(nullptr) : nullptr;
    if (!data) {
        std::fprintf(stderr, "window-watch: cannot open the display\n");
        if (display)
            XCloseDisplay(display);
        return 2;
    }
    // A window that vanishes between two requests is reported, not ended
    // with Xlib's fatal error message.
    XSetErrorHandler(countError);
    const int status = watch(display, data, static_cast<Window>(id), seconds);
    XCloseDisplay(data);
    XCloseDisplay(display);
    return status;
}
