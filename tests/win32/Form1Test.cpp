#include "FakeForm.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

namespace {

using LayoutTable::ControlId;

// Failures name the table row rather than dumping its bytes.
template <class Row>
    requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

std::wstring textOf(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT placeOf(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string rectText(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) +
           "x" + std::to_string(rect.bottom - rect.top);
}

// What a key does when it is typed: WM_KEYDOWN and WM_KEYUP as the keyboard
// queues them, for the pump to translate.
void postKey(HWND target, UINT key)
{
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, scan | 1);
    PostMessageW(target, WM_KEYUP, key, scan | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

void setClipboard(const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(chars, text.size());
    chars[text.size()] = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

HWND toolTipOf(HWND form)
{
    struct Search {
        HWND form;
        HWND found;
    } search{form, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            wchar_t name[64]{};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == search.form) {
                search.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Form1Test : public testing::Test {
protected:
    void SetUp() override
    {
        fake_.form.load();
        fake_.form.showCentred(SW_SHOWNORMAL);
        fake_.pump();
    }

    HWND control(ControlId id) const { return fake_.control(id); }
    std::string nameOf(HWND window) const
    {
        for (const LayoutTable::Control& row : LayoutTable::Controls)
            if (control(row.id) == window)
                return row.name;
        return window == fake_.window() ? "Form1" : "none";
    }
    std::string focusName() const { return nameOf(GetFocus()); }

    // Activation under a window manager goes out to the X server and comes
    // back as focus events, which may arrive late and activate the window
    // they name again: asks until `window` has stayed active for 300 ms,
    // for up to 5 s.
    bool activate(HWND window)
    {
        const ULONGLONG end = GetTickCount64() + 5000;
        ULONGLONG since = 0;
        while (GetTickCount64() < end) {
            fake_.pump();
            if (GetActiveWindow() != window) {
                SetForegroundWindow(window);
                since = GetTickCount64();
            } else if (GetTickCount64() - since >= 300) {
                return true;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return false;
    }

    FakeForm fake_;
};

struct LayoutRow {
    std::string name;
    ControlId id;
    RECT at96;  // left, top, right, bottom in client pixels
    RECT at144; // after a move to a monitor of 144 dots per inch
};

class Layout : public Form1Test, public testing::WithParamInterface<LayoutRow> {};

TEST_P(Layout, PlacesEveryControlInPixelsAtTheWindowsResolution)
{
    const LayoutRow& row = GetParam();
    if (GetDpiForWindow(fake_.window()) != 96)
        GTEST_SKIP() << "the rows are in pixels at 96 dots per inch";
    EXPECT_EQ(rectText(placeOf(control(row.id))), rectText(row.at96));

    RECT suggested{};
    GetWindowRect(fake_.window(), &suggested);
    SendMessageW(fake_.window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(rectText(placeOf(control(row.id))), rectText(row.at144));
}

INSTANTIATE_TEST_SUITE_P(Rows, Layout, testing::ValuesIn(std::vector<LayoutRow>{
    {"Label1", ControlId::Label1, {24, 8, 169, 25}, {36, 12, 254, 38}},
    {"Text1", ControlId::Text1, {24, 24, 169, 48}, {36, 36, 254, 72}},
    {"Label2", ControlId::Label2, {24, 56, 169, 73}, {36, 84, 254, 110}},
    {"Text2", ControlId::Text2, {24, 72, 169, 96}, {36, 108, 254, 144}},
    {"Command1", ControlId::Command1, {176, 72, 201, 97}, {264, 108, 302, 146}},
    {"Label3", ControlId::Label3, {24, 104, 169, 121}, {36, 156, 254, 182}},
    {"Text3", ControlId::Text3, {24, 120, 169, 144}, {36, 180, 254, 216}},
    {"Command2", ControlId::Command2, {176, 120, 201, 145}, {264, 180, 302, 218}},
    {"Label4", ControlId::Label4, {0, 152, 225, 169}, {0, 228, 338, 254}},
    {"Text4", ControlId::Text4, {256, 24, 305, 65}, {384, 36, 458, 98}},
}), [](const auto& info) { return info.param.name; });

TEST_F(Form1Test, GreyClientAreaFitsTheLayoutAndIsCentred)
{
    if (GetDpiForWindow(fake_.window()) != 96)
        GTEST_SKIP() << "the client area is in pixels at 96 dots per inch";
    RECT client{};
    GetClientRect(fake_.window(), &client);
    EXPECT_EQ(rectText(client), "0,0 225x163");
    EXPECT_EQ(textOf(fake_.window()), L"Marrowvale");
    LOGBRUSH background{};
    GetObjectW(reinterpret_cast<HBRUSH>(GetClassLongPtrW(fake_.window(), GCLP_HBRBACKGROUND)), sizeof background,
               &background);
    EXPECT_EQ(background.lbColor, RGB(192, 192, 192));

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT frame{};
    GetWindowRect(fake_.window(), &frame);
    EXPECT_LE(std::abs((frame.left + frame.right) - (monitor.rcWork.left + monitor.rcWork.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (monitor.rcWork.top + monitor.rcWork.bottom)), 1);
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST_F(Form1Test, FontsFollowTheResolution)
{
    if (GetDpiForWindow(fake_.window()) != 96)
        GTEST_SKIP() << "the heights are at 96 dots per inch";
    const LOGFONTW amount = fontOf(control(ControlId::Text1));
    EXPECT_EQ(amount.lfHeight, -13); // 9.75 pt
    EXPECT_EQ(amount.lfWeight, FW_BOLD);
    EXPECT_EQ(amount.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(std::wstring(amount.lfFaceName), L"Microsoft Sans Serif"); // an outline face
    const LOGFONTW message = fontOf(control(ControlId::Text4));
    EXPECT_LT(message.lfWeight, FW_BOLD);
    EXPECT_EQ(fontOf(control(ControlId::Label1)).lfHeight, message.lfHeight);

    RECT suggested{};
    GetWindowRect(fake_.window(), &suggested);
    SendMessageW(fake_.window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(fontOf(control(ControlId::Text1)).lfHeight, -20); // 19.5 pixels
    EXPECT_GT(std::abs(fontOf(control(ControlId::Text4)).lfHeight), std::abs(message.lfHeight));
}

struct LookRow {
    std::string name;
    ControlId id;
    std::wstring text; // a button's is its name for screen readers, never drawn
    std::wstring toolTip;
};

class Looks : public Form1Test, public testing::WithParamInterface<LookRow> {};

TEST_P(Looks, TextsAndToolTipsAsWritten)
{
    const LookRow& row = GetParam();
    EXPECT_EQ(textOf(control(row.id)), row.text);
    const HWND tip = toolTipOf(fake_.window());
    ASSERT_TRUE(tip);
    wchar_t buffer[128]{};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = fake_.window();
    tool.uId = reinterpret_cast<UINT_PTR>(control(row.id));
    tool.lpszText = buffer;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(buffer), row.toolTip);
}

INSTANTIATE_TEST_SUITE_P(Rows, Looks, testing::ValuesIn(std::vector<LookRow>{
    {"Label1", ControlId::Label1, L"BitCoinPrice", L""},
    {"Label4", ControlId::Label4, L"", L"Converts at the price you type in. Nothing is looked up, sent or saved."},
    {"Command1", ControlId::Command1, L"Convert bitcoin to money", L" BitCoin To Price "},
    {"Command2", ControlId::Command2, L"Convert money to bitcoin", L" Price To BitCoin "},
    {"Text4", ControlId::Text4, L"Text4", L""},
}), [](const auto& info) { return info.param.name; });

// An EDIT control stops a paste at 32,767 characters by default; these
// fields take any length, so the field check sees what was pasted.
TEST_F(Form1Test, FieldsTakeTextsLongerThanTheEditDefault)
{
    setClipboard(std::wstring(40000, L'1'));
    SendMessageW(control(ControlId::Text2), WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowTextLengthW(control(ControlId::Text2)), 40000);
}

TEST_F(Form1Test, StartsEmptyWithFocusInTheFirstField)
{
    EXPECT_EQ(focusName(), "Text1");
    for (ControlId id : {ControlId::Text1, ControlId::Text2, ControlId::Text3})
        EXPECT_EQ(textOf(control(id)), L"");
}

TEST_F(Form1Test, TabVisitsTheFieldsThenTheButtonsThenTheHiddenField)
{
    SetFocus(control(ControlId::Text1));
    std::vector<std::string> visited;
    for (int i = 0; i < 6; ++i) {
        postKey(GetFocus(), VK_TAB);
        fake_.pump();
        visited.push_back(focusName());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"Text2", "Text3", "Command1", "Command2", "Text4", "Text1"}));
    EXPECT_EQ(fake_.beeper.beeps, 0);
}

// A screen reader names an EDIT control after the STATIC just before it
// among its siblings, and dialog navigation follows the same order.
TEST_F(Form1Test, EachCaptionComesJustBeforeTheFieldItNames)
{
    std::vector<std::string> order;
    for (HWND child = GetWindow(fake_.window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(nameOf(child));
    EXPECT_EQ(order, (std::vector<std::string>{"Label1", "Text1", "Label2", "Text2", "Label3", "Text3", "Command1",
                                               "Command2", "Text4", "Label4"}));
}

// A person types in a field, switches to another program and comes back:
// the next key lands in the same field.
TEST_F(Form1Test, SwitchingAwayAndBackKeepsTheFieldsFocus)
{
    const HWND edit = control(ControlId::Text2);
    SetWindowTextW(edit, L"12");
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 2, 2);
    const std::unique_ptr<HWND__, decltype(&DestroyWindow)> other(
        CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr),
        &DestroyWindow);
    ASSERT_TRUE(other);
    ShowWindow(other.get(), SW_SHOWNORMAL);
    ASSERT_TRUE(activate(other.get())) << "the other window was not activated";
    EXPECT_EQ(focusName(), "none");
    ASSERT_TRUE(activate(fake_.window())) << "the window was not activated again";
    EXPECT_EQ(focusName(), "Text2");
    postKey(GetFocus(), '7');
    fake_.pump();
    EXPECT_EQ(textOf(edit), L"127");
    EXPECT_EQ(textOf(control(ControlId::Text1)), L"");
}

struct CharRow {
    std::string name;
    ControlId field;
    std::vector<wchar_t> codes; // WM_CHAR codes, in order
    std::wstring clipboard;
    std::wstring text; // the field starts as "12", caret at the end
    int beeps;
};

class Chars : public Form1Test, public testing::WithParamInterface<CharRow> {};

TEST_P(Chars, ReachTheFilterBeforeTheField)
{
    const CharRow& row = GetParam();
    setClipboard(row.clipboard);
    const HWND edit = control(row.field);
    SetWindowTextW(edit, L"12");
    SendMessageW(edit, EM_SETSEL, 2, 2);
    for (wchar_t code : row.codes)
        SendMessageW(edit, WM_CHAR, code, 1);
    EXPECT_EQ(textOf(edit), row.text);
    EXPECT_EQ(fake_.beeper.beeps, row.beeps);
}

INSTANTIATE_TEST_SUITE_P(Rows, Chars, testing::ValuesIn(std::vector<CharRow>{
    {"Digit", ControlId::Text2, {L'7'}, L"", L"127", 0},
    {"Point", ControlId::Text2, {L'.'}, L"", L"12.", 0},
    {"Letter", ControlId::Text2, {L'a'}, L"", L"12", 1},
    {"Enter", ControlId::Text2, {13}, L"", L"12", 1},
    {"Escape", ControlId::Text2, {27}, L"", L"12", 1},
    {"CtrlVPastesNothing", ControlId::Text2, {22}, L"99", L"12", 1},
    {"CtrlASelectsNothing", ControlId::Text2, {1, L'5'}, L"", L"125", 1},
    {"Backspace", ControlId::Text2, {8}, L"", L"1", 0},
    {"FirstField", ControlId::Text1, {L'b'}, L"", L"12", 1},
    {"ThirdField", ControlId::Text3, {L'-', L'3'}, L"", L"123", 1},
    {"HiddenFieldTakesAll", ControlId::Text4, {L'a', 27}, L"", L"12a", 0},
}), [](const auto& info) { return info.param.name; });

struct Key {
    UINT code;
    UINT modifier = 0; // VK_CONTROL or VK_SHIFT, held while the key is typed
};

struct KeyRow {
    std::string name;
    std::vector<Key> keys;
    std::wstring clipboard;
    std::wstring text; // Text2 starts as "12", caret at the end
    std::string focus;
    int beeps;
};

class TypedKeys : public Form1Test, public testing::WithParamInterface<KeyRow> {};

// Keys as the message loop sees them: dialog navigation first, then
// TranslateMessage makes the WM_CHAR. Navigation must leave Enter and Escape
// to the filter, and the EDIT control's own Ctrl shortcuts must not run.
TEST_P(TypedKeys, PassDialogNavigationAndTheFilter)
{
    const KeyRow& row = GetParam();
    setClipboard(row.clipboard);
    const HWND edit = control(ControlId::Text2);
    SetWindowTextW(edit, L"12");
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 2, 2);
    BYTE state[256]{};
    for (const Key& key : row.keys) {
        GetKeyboardState(state);
        state[key.modifier] = key.modifier ? 0x80 : 0;
        SetKeyboardState(state);
        postKey(GetFocus(), key.code);
        fake_.pump();
        state[key.modifier] = 0;
        SetKeyboardState(state);
    }
    EXPECT_EQ(textOf(edit), row.text);
    EXPECT_EQ(focusName(), row.focus);
    EXPECT_EQ(fake_.beeper.beeps, row.beeps);
}

INSTANTIATE_TEST_SUITE_P(Rows, TypedKeys, testing::ValuesIn(std::vector<KeyRow>{
    {"Enter", {{VK_RETURN}}, L"", L"12", "Text2", 1},
    {"Escape", {{VK_ESCAPE}}, L"", L"12", "Text2", 1},
    {"ShiftTab", {{VK_TAB, VK_SHIFT}}, L"", L"12", "Text1", 0},
    {"CtrlAThenDigit", {{'A', VK_CONTROL}, {'5'}}, L"", L"125", "Text2", 1},
    {"CtrlV", {{'V', VK_CONTROL}}, L"99", L"12", "Text2", 1},
    {"ShiftInsertPastesPastTheFilter", {{VK_INSERT, VK_SHIFT}}, L"3a", L"123a", "Text2", 0},
    {"EnterClicksTheFocusedButton", {{VK_TAB, VK_SHIFT}, {'2'}, {VK_TAB}, {VK_TAB}, {VK_TAB}, {VK_RETURN}}, L"",
     L"12", "Text4", 0},
}), [](const auto& info) { return info.param.name; });

std::string rgb(COLORREF colour)
{
    return std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + "," +
           std::to_string(GetBValue(colour));
}

COLORREF paintedAt(HWND window, int x, int y)
{
    const HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

struct ContrastRow {
    std::string name;
    UINT message; // how the desktop tells its windows of the change
    WPARAM wParam;
};

class HighContrast : public Form1Test, public testing::WithParamInterface<ContrastRow> {
protected:
    // A high-contrast scheme of the test's own, each colour told apart
    // from the others and from the grey; the desktop's come back after.
    static constexpr int Elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
    static constexpr COLORREF Scheme[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 128), RGB(255, 255, 0)};

    void SetUp() override
    {
        for (int i = 0; i < 4; ++i)
            saved_[i] = GetSysColor(Elements[i]);
        SetSysColors(4, Elements, Scheme);
        Form1Test::SetUp();
    }
    void TearDown() override { SetSysColors(4, Elements, saved_); }

    // What is painted behind the form, behind a caption and on a button,
    // and the colour a caption's text is given, at 96 dots per inch.
    std::string looks()
    {
        const HDC dc = CreateCompatibleDC(nullptr);
        SetTextColor(dc, RGB(1, 2, 3)); // what a caption keeps unless it is told
        SendMessageW(fake_.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control(ControlId::Label1)));
        const COLORREF text = GetTextColor(dc);
        DeleteDC(dc);
        return "form " + rgb(paintedAt(fake_.window(), 10, 60)) + " caption " +
               rgb(paintedAt(control(ControlId::Label1), 2, 2)) + " text " + rgb(text) + " button " +
               rgb(paintedAt(control(ControlId::Command1), 12, 12));
    }

    void tell(const ContrastRow& row)
    {
        SendMessageW(fake_.window(), row.message, row.wParam, 0);
        fake_.pump();
    }

    COLORREF saved_[4]{};
};

TEST_P(HighContrast, PaintsTheDesktopsColoursOnlyWhileItIsOn)
{
    const ContrastRow& row = GetParam();
    if (GetDpiForWindow(fake_.window()) != 96)
        GTEST_SKIP() << "the points are in pixels at 96 dots per inch";
    const std::string grey = "form 192,192,192 caption 192,192,192 text 0,0,0 button 192,192,192";
    EXPECT_EQ(looks(), grey);
    fake_.highContrast = true;
    tell(row);
    EXPECT_EQ(looks(), "form 0,0,0 caption 0,0,0 text 255,255,255 button 0,0,128");
    fake_.highContrast = false;
    tell(row);
    EXPECT_EQ(looks(), grey);
}

INSTANTIATE_TEST_SUITE_P(Rows, HighContrast, testing::ValuesIn(std::vector<ContrastRow>{
    {"SettingChange", WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST},
    {"SysColorChange", WM_SYSCOLORCHANGE, 0},
}), [](const auto& info) { return info.param.name; });

struct ActionRow {
    std::string name;
    std::vector<std::wstring> before; // Text1, Text2, Text3
    ControlId button;
    std::vector<std::wstring> after;
    std::string focus;
    int beeps;
};

class Actions : public Form1Test, public testing::WithParamInterface<ActionRow> {};

TEST_P(Actions, ConvertOrRefuseAndPlaceTheFocus)
{
    const ActionRow& row = GetParam();
    const ControlId fields[] = {ControlId::Text1, ControlId::Text2, ControlId::Text3};
    for (int i = 0; i < 3; ++i)
        SetWindowTextW(control(fields[i]), row.before[static_cast<std::size_t>(i)].c_str());
    SendMessageW(control(row.button), BM_CLICK, 0, 0);
    fake_.pump();
    std::vector<std::wstring> after;
    for (ControlId id : fields)
        after.push_back(textOf(control(id)));
    EXPECT_EQ(after, row.after);
    EXPECT_EQ(focusName(), row.focus);
    EXPECT_EQ(fake_.beeper.beeps, row.beeps);
    EXPECT_TRUE(fake_.errorReport.reports.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, Actions, testing::ValuesIn(std::vector<ActionRow>{
    {"CoinToMoney", {L"25000", L"0.5", L""}, ControlId::Command1, {L"25000", L"0.5", L"12500.00"}, "Text4", 0},
    {"BothEmpty", {L"", L"", L""}, ControlId::Command1, {L"", L"", L""}, "Text1", 1},
    {"AmountEmpty", {L"5", L"", L""}, ControlId::Command2, {L"5", L"", L""}, "Text3", 1},
    {"BadCoinEmptied", {L"5", L"1,5", L"7"}, ControlId::Command1, {L"5", L"", L"7"}, "Text2", 1},
}), [](const auto& info) { return info.param.name; });

struct FailureRow {
    std::string name;
    std::function<void(FakeForm&)> breakIt;
    std::vector<std::wstring> before; // Text1, Text2, Text3
    ControlId button;
};

class Failures : public Form1Test, public testing::WithParamInterface<FailureRow> {};

// A control that refuses an operation raises error 5; it is reported once,
// the program ends with status 1, and nothing runs after it.
TEST_P(Failures, AreReportedAndEndTheProgram)
{
    const FailureRow& row = GetParam();
    const ControlId fields[] = {ControlId::Text1, ControlId::Text2, ControlId::Text3};
    for (int i = 0; i < 3; ++i)
        SetWindowTextW(control(fields[i]), row.before[static_cast<std::size_t>(i)].c_str());
    // Events that arrive while the report is up find the program ending.
    fake_.errorReport.whileShown = [this] {
        SendMessageW(control(ControlId::Command2), BM_CLICK, 0, 0);
        SendMessageW(control(ControlId::Text2), WM_CHAR, L'a', 1);
    };
    row.breakIt(fake_);
    SendMessageW(control(row.button), BM_CLICK, 0, 0);
    fake_.pump();
    ASSERT_EQ(fake_.errorReport.reports.size(), 1U);
    EXPECT_EQ(fake_.errorReport.reports[0].first, 5);
    EXPECT_EQ(fake_.endings, std::vector<int>{1});

    const int beeps = fake_.beeper.beeps;
    SendMessageW(control(ControlId::Command1), BM_CLICK, 0, 0);
    SendMessageW(control(ControlId::Text3), WM_CHAR, L'a', 1);
    SendMessageW(fake_.window(), WM_CLOSE, 0, 0);
    fake_.pump();
    EXPECT_EQ(fake_.beeper.beeps, beeps);
    EXPECT_EQ(fake_.errorReport.reports.size(), 1U);
    EXPECT_EQ(fake_.glides, 0);
    EXPECT_EQ(fake_.endings, std::vector<int>{1});
}

INSTANTIATE_TEST_SUITE_P(Rows, Failures, testing::ValuesIn(std::vector<FailureRow>{
    {"HiddenFieldTakesNoFocus", [](FakeForm& f) { ShowWindow(f.control(ControlId::Text1), SW_HIDE); },
     {L"", L"", L""}, ControlId::Command1},
    {"DisabledFieldTakesNoFocus", [](FakeForm& f) { EnableWindow(f.control(ControlId::Text3), FALSE); },
     {L"5", L"", L""}, ControlId::Command2},
    {"DestroyedFieldCannotBeRead", [](FakeForm& f) { DestroyWindow(f.control(ControlId::Text2)); },
     {L"5", L"", L""}, ControlId::Command1},
}), [](const auto& info) { return info.param.name; });

// Whatever escapes a window procedure is stopped at its edge, before it
// could unwind through user32, and handled like an error of a handler.
TEST_F(Form1Test, AnExceptionAtTheWindowProcedureIsReportedAndEnds)
{
    fake_.configureGeometry = [](FakeGeometry&) { throw std::bad_alloc(); };
    SendMessageW(fake_.window(), WM_CLOSE, 0, 0);
    ASSERT_EQ(fake_.errorReport.reports.size(), 1U);
    EXPECT_EQ(fake_.errorReport.reports[0].first, 7);
    EXPECT_EQ(fake_.endings, std::vector<int>{1});
}

struct CloseRow {
    std::string name;
    UINT message;
    WPARAM wParam;
    float top; // the window's top edge in twips, on a screen 15,360 twips wide
    int passes; // 0: no glide
};

class Closing : public Form1Test, public testing::WithParamInterface<CloseRow> {};

// Every way the window closes runs the glide once, then ends with status 0.
TEST_P(Closing, GlidesThenEnds)
{
    const CloseRow& row = GetParam();
    fake_.configureGeometry = [&row](FakeGeometry& window) {
        window.y = row.top;
        window.screen = 15360;
    };
    SetWindowTextW(control(ControlId::Text1), L"25000"); // lost: nothing is saved
    SendMessageW(fake_.window(), row.message, row.wParam, 0);
    fake_.pump();
    EXPECT_EQ(fake_.glides, row.passes ? 1 : 0);
    EXPECT_EQ(fake_.glidePasses, row.passes);
    EXPECT_EQ(fake_.endings, row.passes ? std::vector<int>{0} : std::vector<int>{});
    EXPECT_TRUE(IsWindow(fake_.window()));

    SendMessageW(fake_.window(), WM_CLOSE, 0, 0); // a close after the glide runs none
    EXPECT_EQ(fake_.glides, 1);
    EXPECT_EQ(fake_.endings, std::vector<int>{0});
}

// What each placement of the window carried: 'b' both the move and the
// size, 'm' the move only, 's' the size only, '-' neither.
LRESULT CALLBACK recordPlacement(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR carried) noexcept
{
    if (message == WM_WINDOWPOSCHANGED) {
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        const bool moved = !(flags & SWP_NOMOVE);
        const bool sized = !(flags & SWP_NOSIZE);
        reinterpret_cast<std::string*>(carried)->push_back(moved ? (sized ? 'b' : 'm') : (sized ? 's' : '-'));
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// "bbbmm" as "3b 2m", for a failure's message.
std::string runs(const std::string& carried)
{
    std::string text;
    for (std::size_t at = 0; at < carried.size();) {
        const std::size_t end = std::min(carried.find_first_not_of(carried[at], at), carried.size());
        text += std::to_string(end - at) + carried[at] + ' ';
        at = end;
    }
    return text;
}

// The real window, seen from its own window procedure: every pass is one
// placement that moves it and, until it is as small as it gets, sizes it
// too. A window manager that is sent the move apart from the resize shows
// the frame at its old size in the new place.
TEST_P(Closing, MovesAndSizesTheRealWindowInOnePlacementAPass)
{
    const CloseRow& row = GetParam();
    if (GetDpiForWindow(fake_.window()) != 96 || GetSystemMetrics(SM_CXSCREEN) != 1024)
        GTEST_SKIP() << "the rows are in twips on a screen 1024 pixels wide at 96 dots per inch";
    RECT frame{};
    GetWindowRect(fake_.window(), &frame);
    SetWindowPos(fake_.window(), nullptr, frame.left, static_cast<int>(row.top / 15), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fake_.realGeometry = true;
    std::string carried;
    SetWindowSubclass(fake_.window(), &recordPlacement, 0, reinterpret_cast<DWORD_PTR>(&carried));
    SendMessageW(fake_.window(), row.message, row.wParam, 0);
    RemoveWindowSubclass(fake_.window(), &recordPlacement, 0);
    EXPECT_EQ(fake_.glides, row.passes ? 1 : 0);
    EXPECT_EQ(carried.size(), static_cast<std::size_t>(row.passes)) << runs(carried);
    EXPECT_TRUE(std::regex_match(carried, std::regex(row.passes ? "b+m*" : ""))) << runs(carried);
}

INSTANTIATE_TEST_SUITE_P(Rows, Closing, testing::ValuesIn(std::vector<CloseRow>{
    {"CloseBox", WM_CLOSE, 0, 4350, 368},
    {"SystemMenuOrAltF4", WM_SYSCOMMAND, SC_CLOSE, 4350, 368},
    {"FromBeyondTheScreen", WM_CLOSE, 0, 15400, 1},
    {"SessionEnds", WM_ENDSESSION, TRUE, 4350, 368},
    {"SessionEndCancelled", WM_ENDSESSION, FALSE, 4350, 0},
    {"SessionEndAsked", WM_QUERYENDSESSION, 0, 4350, 0},
}), [](const auto& info) { return info.param.name; });

} // namespace
