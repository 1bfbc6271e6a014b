// The notice window under a user's hands, seen from another process: where the focus goes, what
// the keys do in the text box and on the button, what clicks on the banner and the button open,
// and the pointer's shape over each. Input is real input (SendInput) to the foreground window.

#include "support/Program.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

// Wine hands a bare host to the URL opener with a slash added.
constexpr char kWebsite[] = "http://www.ombrelo.example/";
// How long a launch may take to reach the opener, and how long to wait for one that should not.
constexpr DWORD kLaunchPatienceMs = 5000;
constexpr DWORD kNoLaunchWaitMs = 1000;
// How long the pointer must stay where it was moved to.
constexpr DWORD kPointerSettleMs = 200;

template <typename Condition> bool WaitUntil(Condition condition, DWORD patienceMs = kPatienceMs) {
  for (DWORD waited = 0;; waited += 10) {
    if (condition())
      return true;
    if (waited >= patienceMs)
      return false;
    Sleep(10);
  }
}

// Where the program's requests to open a web address end up: the stand-in URL opener
// (tools/browser/xdg-open) appends each address to the file named by OMBRELO_BROWSER_LOG. Under
// Wine the opener sees the UNIX environment the test run started with, not variables set here:
// when the run names a log, the test reads what is added to it from now on; otherwise it names a
// log of its own, for systems that hand the Windows environment down to the opener.
class BrowserLog {
public:
  BrowserLog() {
    std::wstring inherited(MAX_PATH, L'\0');
    inherited.resize(GetEnvironmentVariableW(kVariable, inherited.data(), MAX_PATH));
    if (!inherited.empty() && inherited.size() < MAX_PATH) {
      // Wine shows the UNIX root as drive Z:.
      std::replace(inherited.begin(), inherited.end(), L'/', L'\\');
      windowsPath_ = L"Z:" + inherited;
      earlierLines_ = AllLines().size();
      return;
    }
    static int made = 0;
    const std::wstring name = L"ombrelo-browser-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++made) + L".log";
    windowsPath_ = L"Z:\\tmp\\" + name;
    ownFile_ = true;
    DeleteFileW(windowsPath_.c_str());
    SetEnvironmentVariableW(kVariable, (L"/tmp/" + name).c_str());
  }
  BrowserLog(const BrowserLog&) = delete;
  BrowserLog& operator=(const BrowserLog&) = delete;
  ~BrowserLog() {
    if (!ownFile_)
      return;
    SetEnvironmentVariableW(kVariable, nullptr);
    DeleteFileW(windowsPath_.c_str());
  }

  // The addresses launched since this object was made, but for the log checks'.
  std::vector<std::string> Launches() const {
    std::vector<std::string> lines = AllLines();
    lines.erase(lines.begin(),
                lines.begin() + static_cast<ptrdiff_t>(std::min(earlierLines_, lines.size())));
    std::erase(lines, kCheckLine);
    return lines;
  }

  // Whether a launch from here reaches the log: without that, an empty log shows nothing.
  testing::AssertionResult Reachable() const {
    ShellExecuteW(nullptr, nullptr, kCheckAddress, nullptr, nullptr, SW_SHOWNORMAL);
    const auto seen = [&] {
      const std::vector<std::string> lines = AllLines();
      return std::count(lines.begin() +
                            static_cast<ptrdiff_t>(std::min(earlierLines_, lines.size())),
                        lines.end(), kCheckLine) > checks_;
    };
    if (!WaitUntil(seen, kLaunchPatienceMs))
      return testing::AssertionFailure()
             << "a launch from the test does not reach the browser log: under Wine the URL "
                "opener sees only the UNIX environment the tests were started with, so export "
                "OMBRELO_BROWSER_LOG=/path/of/a/file before running them";
    ++checks_;
    return testing::AssertionSuccess();
  }

private:
  static constexpr const wchar_t* kVariable = L"OMBRELO_BROWSER_LOG";
  static constexpr const wchar_t* kCheckAddress = L"http://log-check.ombrelo.example";
  static constexpr const char* kCheckLine = "http://log-check.ombrelo.example/";

  std::vector<std::string> AllLines() const {
    std::vector<std::string> lines;
    std::ifstream file{std::filesystem::path(windowsPath_)};
    for (std::string line; std::getline(file, line);)
      lines.push_back(line);
    return lines;
  }

  std::wstring windowsPath_;
  bool ownFile_ = false;
  size_t earlierLines_ = 0;
  mutable std::ptrdiff_t checks_ = 0;
};

void SendInputs(std::vector<INPUT> inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  ASSERT_EQ(sent, inputs.size()) << "SendInput failed, error " << GetLastError();
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  switch (key) {
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN:
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    break;
  }
  return input;
}

// Presses and releases `key` while holding the modifier keys.
void Press(WORD key, std::vector<WORD> modifiers = {}) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers)
    inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
    inputs.push_back(KeyInput(*modifier, true));
  SendInputs(inputs);
}

// Types letters and digits as key presses, without Shift: letters come out in lower case.
void Type(const char* keys) {
  for (const char* key = keys; *key; ++key)
    Press(static_cast<WORD>(std::toupper(static_cast<unsigned char>(*key))));
}

// A mouse event at a screen point: every event says where it happens, as a real mouse's does.
INPUT MouseInput(POINT at, DWORD buttons = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  // The middle of the pixel in the 0..65535 scale of the screen.
  input.mi.dx = MulDiv(at.x, 65536, width) + 65536 / width / 2;
  input.mi.dy = MulDiv(at.y, 65536, height) + 65536 / height / 2;
  return input;
}

// Moves the pointer to a screen point and waits for it to stay there. Under Wine's virtual
// desktop an injected move also moves the X pointer, and a motion event left over from an earlier
// move can still carry the pointer back there; the move is made again then.
void MoveMouseTo(POINT at) {
  POINT now{};
  const auto there = [&] {
    GetCursorPos(&now);
    return now.x == at.x && now.y == at.y;
  };
  for (int attempt = 0; attempt < 5; ++attempt) {
    SendInputs({MouseInput(at)});
    if (WaitUntil(there) && !WaitUntil([&] { return !there(); }, kPointerSettleMs))
      return;
  }
  FAIL() << "the pointer is at " << now.x << "," << now.y << ", not " << at.x << "," << at.y;
}

POINT Centre(const RECT& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::wstring TextOf(HWND control) {
  // WM_GETTEXT, not GetWindowText: another process's edit control keeps its text itself.
  const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

struct Selection {
  DWORD start;
  DWORD end;
  bool operator==(const Selection&) const = default;
};
void PrintTo(const Selection& s, std::ostream* out) {
  *out << "[" << s.start << ", " << s.end << ")";
}

Selection SelectionOf(HWND edit) {
  const auto packed = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
  return {LOWORD(packed), HIWORD(packed)};
}

// Class names compare without regard to case; Wine reports the system's as "Edit" and "Button".
bool IsClass(HWND window, const wchar_t* name) {
  return CompareStringOrdinal(ClassName(window).c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

enum class Control { Text, Button, Panel };
void PrintTo(Control c, std::ostream* out) {
  *out << (c == Control::Text ? "text" : c == Control::Button ? "button" : "panel");
}

using Keys = std::vector<WORD>;

// A freshly started notice program in the foreground, with the browser log it reports to.
class NoticeControls : public testing::Test {
protected:
  explicit NoticeControls(Launch launch = {}) : program_(std::move(launch)) {
    notice_ = program_.NoticeWindow();
    text_ = FindWindowExW(notice_, nullptr, L"EDIT", nullptr);
    button_ = FindWindowExW(notice_, nullptr, L"BUTTON", nullptr);
    panel_ = FindWindowExW(notice_, nullptr, L"TPanel", nullptr);
    thread_ = GetWindowThreadProcessId(notice_, nullptr);
  }

  void SetUp() override {
    ASSERT_TRUE(text_ && button_ && panel_) << "the notice window lacks a control";
    SetForegroundWindow(notice_);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notice_; }))
        << "the notice window does not come to the foreground";
  }

  HWND Of(Control control) const {
    return control == Control::Text ? text_ : control == Control::Button ? button_ : panel_;
  }

  HWND Focused() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread_, &info);
    return info.hwndFocus;
  }

  // Waits for the focus to be on `control`; the class of wherever it is otherwise.
  testing::AssertionResult FocusComesTo(HWND control) const {
    if (WaitUntil([&] { return Focused() == control; }))
      return testing::AssertionSuccess();
    HWND focused = Focused();
    return testing::AssertionFailure()
           << "the focus is on " << (focused ? testing::PrintToString(ClassName(focused)) : "none")
           << ", not on " << testing::PrintToString(ClassName(control));
  }

  // Moves the focus to `control` with the keyboard, the way a user gets there.
  void FocusOn(Control control) {
    ASSERT_TRUE(FocusComesTo(text_)) << "first focus";
    if (control == Control::Text)
      return;
    Press(VK_TAB);
    ASSERT_TRUE(FocusComesTo(button_));
    if (control == Control::Button)
      return;
    Press(VK_RIGHT);
    ASSERT_TRUE(FocusComesTo(panel_));
  }

  // Input is handled in order: once an arrow key's focus move shows, what came before it has been
  // handled. From the button Right goes to the panel, from the panel Left to the button; from any
  // other control these keys lead elsewhere, so the move also shows where the focus was.
  void ExpectFocusStillOn(Control control) {
    ASSERT_NE(control, Control::Text);
    Press(control == Control::Button ? VK_RIGHT : VK_LEFT);
    EXPECT_TRUE(FocusComesTo(control == Control::Button ? panel_ : button_))
        << "the focus has left the " << testing::PrintToString(control);
  }

  testing::AssertionResult TextBecomes(const std::wstring& expected) const {
    if (WaitUntil([&] { return TextOf(text_) == expected; }))
      return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the text is " << testing::PrintToString(TextOf(text_))
                                       << ", not " << testing::PrintToString(expected);
  }

  // Expects `count` requests to open the website, and no more.
  void ExpectLaunches(size_t count) {
    WaitUntil([&] { return log_.Launches().size() >= count; }, kLaunchPatienceMs);
    program_.Sync(notice_);
    Sleep(kNoLaunchWaitMs);
    ASSERT_TRUE(log_.Reachable());
    EXPECT_EQ(log_.Launches(), std::vector<std::string>(count, kWebsite));
  }

  void ExpectStillOpen() const {
    EXPECT_FALSE(program_.WaitForExit(0).has_value()) << "the program has ended";
    EXPECT_TRUE(IsWindowVisible(notice_));
  }

  BrowserLog log_; // ahead of the program, which inherits its file name
  Program program_;
  HWND notice_ = nullptr;
  HWND text_ = nullptr;
  HWND button_ = nullptr;
  HWND panel_ = nullptr;
  DWORD thread_ = 0;
};

TEST_F(NoticeControls, FirstFocusIsOnTheTextBoxWithTheCaretAtTheStartAndNothingSelected) {
  EXPECT_TRUE(FocusComesTo(text_));
  EXPECT_EQ(SelectionOf(text_), (Selection{0, 0}));
}

struct FocusMoveCase {
  const char* name;
  Control from;
  WORD key;
  Keys modifiers;
  Control to;
};
void PrintTo(const FocusMoveCase& c, std::ostream* out) {
  *out << c.name;
}

class FocusMove : public NoticeControls, public testing::WithParamInterface<FocusMoveCase> {};

TEST_P(FocusMove, GoesToTheNextControlForTheKey) {
  ASSERT_NO_FATAL_FAILURE(FocusOn(GetParam().from));
  Press(GetParam().key, GetParam().modifiers);
  EXPECT_TRUE(FocusComesTo(Of(GetParam().to)));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FocusMove,
    testing::Values(
        FocusMoveCase{"text_tab", Control::Text, VK_TAB, {}, Control::Button},
        FocusMoveCase{"text_shift_tab", Control::Text, VK_TAB, {VK_SHIFT}, Control::Button},
        FocusMoveCase{"button_tab", Control::Button, VK_TAB, {}, Control::Text},
        FocusMoveCase{"button_shift_tab", Control::Button, VK_TAB, {VK_SHIFT}, Control::Text},
        FocusMoveCase{"button_right", Control::Button, VK_RIGHT, {}, Control::Panel},
        FocusMoveCase{"button_down", Control::Button, VK_DOWN, {}, Control::Panel},
        FocusMoveCase{"button_left", Control::Button, VK_LEFT, {}, Control::Text},
        FocusMoveCase{"button_up", Control::Button, VK_UP, {}, Control::Text},
        FocusMoveCase{"panel_right", Control::Panel, VK_RIGHT, {}, Control::Text},
        FocusMoveCase{"panel_down", Control::Panel, VK_DOWN, {}, Control::Text},
        FocusMoveCase{"panel_tab", Control::Panel, VK_TAB, {}, Control::Text},
        FocusMoveCase{"panel_left", Control::Panel, VK_LEFT, {}, Control::Button},
        FocusMoveCase{"panel_up", Control::Panel, VK_UP, {}, Control::Button},
        FocusMoveCase{"panel_shift_tab", Control::Panel, VK_TAB, {VK_SHIFT}, Control::Button}),
    [](const auto& info) { return std::string(info.param.name); });

struct ControlKeyCase {
  const char* name;
  Control on;
  WORD key;
  Keys modifiers;
  size_t launches;
};
void PrintTo(const ControlKeyCase& c, std::ostream* out) {
  *out << c.name;
}

class ControlKey : public NoticeControls, public testing::WithParamInterface<ControlKeyCase> {};

TEST_P(ControlKey, OpensTheWebsiteOnlyFromTheButtonAndLeavesTheFocusAndTheWindow) {
  ASSERT_NO_FATAL_FAILURE(FocusOn(GetParam().on));
  Press(GetParam().key, GetParam().modifiers);
  ExpectFocusStillOn(GetParam().on);
  ExpectLaunches(GetParam().launches);
  ExpectStillOpen();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ControlKey,
    testing::Values(ControlKeyCase{"button_enter", Control::Button, VK_RETURN, {}, 1},
                    ControlKeyCase{"button_space", Control::Button, VK_SPACE, {}, 1},
                    ControlKeyCase{"button_shift_enter", Control::Button, VK_RETURN, {VK_SHIFT}, 0},
                    ControlKeyCase{
                        "button_ctrl_enter", Control::Button, VK_RETURN, {VK_CONTROL}, 0},
                    ControlKeyCase{"button_alt_enter", Control::Button, VK_RETURN, {VK_MENU}, 0},
                    ControlKeyCase{"button_escape", Control::Button, VK_ESCAPE, {}, 0},
                    ControlKeyCase{"panel_escape", Control::Panel, VK_ESCAPE, {}, 0},
                    ControlKeyCase{"panel_enter", Control::Panel, VK_RETURN, {}, 0},
                    ControlKeyCase{"panel_space", Control::Panel, VK_SPACE, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NoticeControls, EnterInTheTextBreaksTheLineAtTheCaretAndOpensNothing) {
  ASSERT_TRUE(FocusComesTo(text_));
  const std::wstring before = TextOf(text_);
  Press(VK_RETURN);
  EXPECT_TRUE(TextBecomes(L"\r\n" + before));
  EXPECT_EQ(SelectionOf(text_), (Selection{2, 2}));
  EXPECT_EQ(Focused(), text_);
  ExpectLaunches(0);
}

TEST_F(NoticeControls, CtrlASelectsTheWholeText) {
  ASSERT_TRUE(FocusComesTo(text_));
  const auto length = static_cast<DWORD>(TextOf(text_).size());
  Press('A', {VK_CONTROL});
  EXPECT_TRUE(WaitUntil([&] {
    return SelectionOf(text_) == Selection{0, length};
  })) << testing::PrintToString(SelectionOf(text_));
  EXPECT_EQ(TextOf(text_).size(), length) << "Ctrl+A typed something";
}

struct NotSelectAllCase {
  const char* name;
  Keys modifiers;
};
void PrintTo(const NotSelectAllCase& c, std::ostream* out) {
  *out << c.name;
}

class OtherAChord : public NoticeControls, public testing::WithParamInterface<NotSelectAllCase> {};

TEST_P(OtherAChord, NeitherSelectsAllNorTypesAnything) {
  ASSERT_TRUE(FocusComesTo(text_));
  const std::wstring before = TextOf(text_);
  Press('A', GetParam().modifiers);
  // Had the chord selected everything, this key would replace the whole text.
  Type("x");
  EXPECT_TRUE(TextBecomes(L"x" + before));
  EXPECT_EQ(SelectionOf(text_), (Selection{1, 1}));
}

INSTANTIATE_TEST_SUITE_P(Chords, OtherAChord,
                         testing::Values(NotSelectAllCase{"ctrl_shift_a", {VK_CONTROL, VK_SHIFT}},
                                         NotSelectAllCase{"ctrl_alt_a", {VK_CONTROL, VK_MENU}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NoticeControls, EscapeInTheTextPutsBackTheTextItHadWhenItGotTheFocus) {
  ASSERT_TRUE(FocusComesTo(text_));
  const std::wstring original = TextOf(text_);
  Type("ab");
  ASSERT_TRUE(TextBecomes(L"ab" + original)) << "typing";
  Press(VK_ESCAPE);
  EXPECT_TRUE(TextBecomes(original));
  // A second Escape changes nothing: the next key lands in the original text at the start.
  Press(VK_ESCAPE);
  Type("z");
  EXPECT_TRUE(TextBecomes(L"z" + original));
  EXPECT_EQ(Focused(), text_);
  ExpectStillOpen();
}

TEST_F(NoticeControls, EscapeInTheTextKeepsTheEditsMadeBeforeTheFocusLastCameBack) {
  ASSERT_TRUE(FocusComesTo(text_));
  const std::wstring original = TextOf(text_);
  Type("a");
  ASSERT_TRUE(TextBecomes(L"a" + original));
  Press(VK_TAB);
  ASSERT_TRUE(FocusComesTo(button_));
  Press(VK_TAB, {VK_SHIFT});
  ASSERT_TRUE(FocusComesTo(text_));
  // The caret stays where it was, after the "a".
  Type("b");
  ASSERT_TRUE(TextBecomes(L"ab" + original));
  Press(VK_ESCAPE);
  EXPECT_TRUE(TextBecomes(L"a" + original));
}

TEST_F(NoticeControls, TextBoxIsAnEditableMultiLineEditThatWrapsWithoutScrollBars) {
  EXPECT_TRUE(IsClass(text_, L"EDIT")) << testing::PrintToString(ClassName(text_));
  const LONG_PTR style = GetWindowLongPtrW(text_, GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_WANTRETURN);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_FALSE(style & ES_READONLY);
  EXPECT_FALSE(style & ES_AUTOHSCROLL) << "lines would not wrap";
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_FALSE(style & WS_VSCROLL);
}

TEST_F(NoticeControls, ButtonIsAnOwnerDrawnTabStopThatIsNotTheDefault) {
  EXPECT_TRUE(IsClass(button_, L"BUTTON")) << testing::PrintToString(ClassName(button_));
  EXPECT_EQ(TextOf(button_), L"点击直接进入Ombrelo网站->");
  const LONG_PTR style = GetWindowLongPtrW(button_, GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW) << "so neither BS_DEFPUSHBUTTON nor BS_PUSHBUTTON";
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongPtrW(panel_, GWL_STYLE) & WS_TABSTOP);
}

enum class Target { Button, Banner };
enum class Gesture { Click, DoubleClick, RightClick, PressReleasedOutside };

struct MouseCase {
  const char* name;
  Target target;
  Gesture gesture;
  size_t launches;
};
void PrintTo(const MouseCase& c, std::ostream* out) {
  *out << c.name;
}

class Mouse : public NoticeControls, public testing::WithParamInterface<MouseCase> {};

TEST_P(Mouse, OpensTheWebsiteForEachClickOnTheTarget) {
  const POINT on = Centre(WindowBounds(GetParam().target == Target::Button ? button_ : panel_));
  // The bare form, left of the button and below the text.
  POINT outside{0, 0};
  ClientToScreen(notice_, &outside);
  outside.x += 100;
  outside.y += 410;
  ASSERT_EQ(WindowFromPoint(outside), notice_);
  ASSERT_NO_FATAL_FAILURE(MoveMouseTo(on));
  switch (GetParam().gesture) {
  case Gesture::Click:
    SendInputs({MouseInput(on, MOUSEEVENTF_LEFTDOWN), MouseInput(on, MOUSEEVENTF_LEFTUP)});
    break;
  case Gesture::DoubleClick:
    SendInputs({MouseInput(on, MOUSEEVENTF_LEFTDOWN), MouseInput(on, MOUSEEVENTF_LEFTUP),
                MouseInput(on, MOUSEEVENTF_LEFTDOWN), MouseInput(on, MOUSEEVENTF_LEFTUP)});
    break;
  case Gesture::RightClick:
    SendInputs({MouseInput(on, MOUSEEVENTF_RIGHTDOWN), MouseInput(on, MOUSEEVENTF_RIGHTUP)});
    break;
  case Gesture::PressReleasedOutside:
    SendInputs({MouseInput(on, MOUSEEVENTF_LEFTDOWN), MouseInput(outside),
                MouseInput(outside, MOUSEEVENTF_LEFTUP)});
    break;
  }
  ExpectLaunches(GetParam().launches);
  ExpectStillOpen();
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, Mouse,
    testing::Values(MouseCase{"button_click", Target::Button, Gesture::Click, 1},
                    MouseCase{"button_double_click", Target::Button, Gesture::DoubleClick, 2},
                    MouseCase{"button_press_released_outside", Target::Button,
                              Gesture::PressReleasedOutside, 0},
                    MouseCase{"banner_click", Target::Banner, Gesture::Click, 1},
                    MouseCase{"banner_double_click", Target::Banner, Gesture::DoubleClick, 1},
                    MouseCase{"banner_right_click", Target::Banner, Gesture::RightClick, 0},
                    MouseCase{"banner_press_released_outside", Target::Banner,
                              Gesture::PressReleasedOutside, 0}),
    [](const auto& info) { return std::string(info.param.name); });

enum class Spot {
  TitleBar,
  BannerTopLeft,
  BannerTopRight,
  BannerBottomLeft,
  BannerBottomRight,
  BannerCentre,
  TextCorner,
  TextCentre,
  ButtonCentre
};
enum class Shape { Hand, IBeam, Arrow };

struct PointerCase {
  const char* name;
  Spot spot;
  Shape shape;
};
void PrintTo(const PointerCase& c, std::ostream* out) {
  *out << c.name;
}

class PointerShapes : public NoticeControls {
protected:
  using NoticeControls::NoticeControls;

  POINT At(Spot spot) const {
    RECT client{};
    GetClientRect(notice_, &client);
    MapWindowPoints(notice_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The banner as far as it shows: the panel, cut to the window's client area.
    RECT banner{};
    const RECT panel = WindowBounds(panel_);
    IntersectRect(&banner, &panel, &client);
    const RECT text = WindowBounds(text_);
    switch (spot) {
    case Spot::TitleBar:
      return {Centre(client).x, (WindowBounds(notice_).top + client.top) / 2};
    case Spot::BannerTopLeft:
      return {banner.left, banner.top};
    case Spot::BannerTopRight:
      return {banner.right - 1, banner.top};
    case Spot::BannerBottomLeft:
      return {banner.left, banner.bottom - 1};
    case Spot::BannerBottomRight:
      return {banner.right - 1, banner.bottom - 1};
    case Spot::BannerCentre:
      return Centre(banner);
    case Spot::TextCorner:
      // Just inside the 2-pixel frame.
      return {text.left + 3, text.top + 3};
    case Spot::TextCentre:
      return Centre(text);
    case Spot::ButtonCentre:
      return Centre(WindowBounds(button_));
    }
    return {};
  }

  // The pointer's shape once the program has handled the move to `spot`. Input is handled in
  // order, so a Tab pressed after the move has moved the focus only once the move is handled. A
  // motion event left over from an earlier move (see MoveMouseTo) can still come after it: the
  // shape counts once the pointer and the shape have both stayed put for a while.
  HCURSOR ShapeAt(Spot spot) {
    const POINT at = At(spot);
    HCURSOR shape = nullptr;
    const auto settled = [&] {
      POINT now{};
      GetCursorPos(&now);
      return now.x == at.x && now.y == at.y && CurrentPointer() == shape;
    };
    for (int attempt = 0; attempt < 5; ++attempt) {
      MoveMouseTo(at);
      const HWND focused = Focused();
      EXPECT_TRUE(focused == text_ || focused == button_);
      Press(VK_TAB);
      EXPECT_TRUE(FocusComesTo(focused == text_ ? button_ : text_));
      shape = CurrentPointer();
      if (!WaitUntil([&] { return !settled(); }, kPointerSettleMs))
        return shape;
    }
    ADD_FAILURE() << "the pointer does not settle";
    return shape;
  }

  static HCURSOR CurrentPointer() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
  }

  // Under Wine each process has handles of its own for the system's pointers, and another
  // process's cannot be looked into, so the program's pointers are learnt where they show: the
  // system's arrow over the title bar, the edit control's I-beam over the text, and the banner's
  // pointer at the banner's centre; the three must differ.
  std::map<Shape, HCURSOR> LearnShapes() {
    std::map<Shape, HCURSOR> shapes;
    // A first reading in a new program can still show the pointer left by the one before.
    ShapeAt(Spot::TextCentre);
    shapes[Shape::Arrow] = ShapeAt(Spot::TitleBar);
    shapes[Shape::IBeam] = ShapeAt(Spot::TextCentre);
    shapes[Shape::Hand] = ShapeAt(Spot::BannerCentre);
    EXPECT_NE(shapes[Shape::IBeam], shapes[Shape::Arrow]) << "an arrow over the text";
    EXPECT_NE(shapes[Shape::Hand], shapes[Shape::Arrow]) << "an arrow over the banner";
    EXPECT_NE(shapes[Shape::Hand], shapes[Shape::IBeam]) << "an I-beam over the banner";
    EXPECT_NE(shapes[Shape::Arrow], nullptr) << "no pointer over the title bar";
    return shapes;
  }
};

class Pointer : public PointerShapes, public testing::WithParamInterface<PointerCase> {};

TEST_P(Pointer, TakesTheShapeOfWhatIsUnderIt) {
  ASSERT_TRUE(FocusComesTo(text_));
  std::map<Shape, HCURSOR> shapes = LearnShapes();
  ASSERT_FALSE(HasFailure());
  EXPECT_EQ(ShapeAt(GetParam().spot), shapes[GetParam().shape]);
}

INSTANTIATE_TEST_SUITE_P(
    Spots, Pointer,
    testing::Values(PointerCase{"banner_top_left", Spot::BannerTopLeft, Shape::Hand},
                    PointerCase{"banner_top_right", Spot::BannerTopRight, Shape::Hand},
                    PointerCase{"banner_bottom_left", Spot::BannerBottomLeft, Shape::Hand},
                    PointerCase{"banner_bottom_right", Spot::BannerBottomRight, Shape::Hand},
                    PointerCase{"text_corner", Spot::TextCorner, Shape::IBeam},
                    PointerCase{"button", Spot::ButtonCentre, Shape::Arrow}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Pointer, ShowsNoTooltipOverTheBannerOrTheButton) {
  for (Spot spot : {Spot::BannerCentre, Spot::ButtonCentre}) {
    ASSERT_NO_FATAL_FAILURE(MoveMouseTo(At(spot)));
    // Longer than a tooltip's usual delay.
    EXPECT_EQ(program_.FindShownWindow(L"tooltips_class32", 1000), nullptr);
  }
}

// Without JPEG support the banner's picture is dropped, but the banner area is still the picture
// control's: the hand pointer over all of it, and a click opens the website.
class BannerAreaWithoutJpegSupport : public PointerShapes {
protected:
  BannerAreaWithoutJpegSupport()
      : PointerShapes(Launch().Path(std::wstring(VARIANTS_DIR) + L"\\without_jpeg.exe")) {}
};

TEST_F(BannerAreaWithoutJpegSupport, ShowsTheHandAndTakesClicks) {
  ASSERT_TRUE(FocusComesTo(text_));
  std::map<Shape, HCURSOR> shapes = LearnShapes();
  ASSERT_FALSE(HasFailure());
  for (Spot corner : {Spot::BannerTopLeft, Spot::BannerBottomRight})
    EXPECT_EQ(ShapeAt(corner), shapes[Shape::Hand]);
  const POINT on = At(Spot::BannerCentre);
  ASSERT_NO_FATAL_FAILURE(MoveMouseTo(on));
  SendInputs({MouseInput(on, MOUSEEVENTF_LEFTDOWN), MouseInput(on, MOUSEEVENTF_LEFTUP)});
  ExpectLaunches(1);
}

} // namespace
