#include "FakeForm.h"
#include "MessageBoxErrorReport.h"
#include "RuntimeError.h"
#include "Win32GlideClock.h"
#include "Win32WindowGeometry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The glide's view of the real window: its frame in twips, and one pass
// moving and sizing it with a single request.
TEST(Win32WindowGeometry, OnePassMovesAndSizesTheFrame)
{
    FakeForm fake;
    const HWND window = fake.window();
    if (GetDpiForWindow(window) != 96)
        GTEST_SKIP() << "the values are at 96 dots per inch";
    SetWindowPos(window, nullptr, 100, 290, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    Win32WindowGeometry geometry(window);
    EXPECT_EQ(geometry.left(), 1500.0F);
    EXPECT_EQ(geometry.top(), 4350.0F);
    EXPECT_EQ(geometry.width(), 4500.0F);
    EXPECT_EQ(geometry.height(), 3000.0F);
    EXPECT_EQ(geometry.screenWidth(), GetSystemMetrics(SM_CXSCREEN) * 15.0F);

    geometry.setTop(4380);
    geometry.setLeft(1530);
    geometry.setWidth(4440);
    geometry.setHeight(2940);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 100); // nothing moves half done
    geometry.showPass();
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 102);
    EXPECT_EQ(frame.top, 292);
    EXPECT_EQ(frame.right - frame.left, 296);
    EXPECT_EQ(frame.bottom - frame.top, 196);
}

TEST(Win32WindowGeometry, AWindowThatIsGoneRaises)
{
    FakeForm fake;
    Win32WindowGeometry geometry(fake.window());
    DestroyWindow(fake.window());
    for (auto read : {&WindowGeometry::left, &WindowGeometry::top, &WindowGeometry::width, &WindowGeometry::height}) {
        try {
            (geometry.*read)();
            ADD_FAILURE() << "read a window that is gone";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::FailedControlOperation);
        }
    }
    EXPECT_THROW(geometry.showPass(), RuntimeError);
}

// The glide pauses a few milliseconds at a time, where a sleep on Windows'
// own timer would last 15.6 ms: each pause must last about what it asks.
// Other processes delay a waking thread now and then; the best of a few
// rounds shows the clock itself, and a busy wait beside it shows the
// machine.
TEST(Win32GlideClock, PausesLastAboutWhatTheyAsk)
{
    using std::chrono::microseconds;
    Win32GlideClock clock;
    long long best = -1;
    long long busyWaitThen = 0; // only a busy machine delays a busy wait
    for (int round = 0; round < 10 && (best < 0 || best >= 1000); ++round) {
        long long clockError = 0;
        long long busyWaitError = 0;
        int pauses = 0;
        for (int repeat = 0; repeat < 5; ++repeat) {
            for (microseconds asked : {microseconds{3000}, microseconds{2375}, microseconds{1250}, microseconds{400}}) {
                microseconds start = clock.now();
                clock.pause(asked);
                clockError += std::abs((clock.now() - start - asked).count());
                start = clock.now();
                while (clock.now() - start < asked) {
                }
                busyWaitError += (clock.now() - start - asked).count();
                ++pauses;
            }
        }
        if (best < 0 || clockError / pauses < best) {
            best = clockError / pauses;
            busyWaitThen = busyWaitError / pauses;
        }
    }
    if (best >= 1000 && busyWaitThen >= 250)
        GTEST_SKIP() << "the machine is too busy to tell: in the best of 10 rounds pauses were off by " << best
                     << " us on average, and a busy wait overshot by " << busyWaitThen << " us";
    EXPECT_LT(best, 1000) << "us on average in the best of 10 rounds; a busy wait overshot by " << busyWaitThen
                          << " us";
}

// Filled in by the timer that closes the box, from inside its modal loop.
struct SeenBox {
    std::wstring title;
    std::wstring text;
    HWND owner = nullptr;
};
SeenBox seenBox;

void CALLBACK readAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND box = FindWindowW(L"#32770", nullptr);
    if (!box || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId())
        return;
    KillTimer(nullptr, timer);
    wchar_t buffer[256]{};
    GetWindowTextW(box, buffer, 256);
    seenBox.title = buffer;
    GetDlgItemTextW(box, 0xFFFF, buffer, 256); // the message box's text control
    seenBox.text = buffer;
    seenBox.owner = GetWindow(box, GW_OWNER);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(MessageBoxErrorReport, ABoxOwnedByTheWindowNamesTheError)
{
    FakeForm fake;
    MessageBoxErrorReport report;
    report.setOwner(fake.window());
    seenBox = {};
    SetTimer(nullptr, 0, 20, &readAndCloseBox);
    report.show(7, u"Out of memory");
    EXPECT_EQ(seenBox.title, L"Marrowvale");
    EXPECT_EQ(seenBox.text, L"Run-time error '7':\n\nOut of memory");
    EXPECT_EQ(seenBox.owner, fake.window());
}

} // namespace
