// The notice window under a user's hands, seen from another process: where the focus goes, what
// the keys do in the text box and on the button, what clicks on the banner and the button open,
// and the pointer's shape over each. Input is real input (SendInput) to the foreground window.

#include "support/Input.h"
#include "support/NoticeControls.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

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

using Keys = std::vector<WORD>;

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
                    // The caption has no access key.
                    ControlKeyCase{"button_alt_letter", Control::Button, 'D', {VK_MENU}, 0},
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

TEST_F(NoticeControls, TypingGoesOnPastTheBottomOfTheBox) {
  ASSERT_TRUE(FocusComesTo(text_));
  const std::wstring before = TextOf(text_);
  // Fifteen lines fill the box; five more do not fit and scroll the text instead.
  Press(VK_END, {VK_CONTROL});
  for (int line = 0; line < 5; ++line)
    Press(VK_RETURN);
  Type("ab");
  EXPECT_TRUE(TextBecomes(before + L"\r\n\r\n\r\n\r\n\r\nab"));
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
enum class Gesture {
  Click,
  DoubleClick,
  ThreeSeparateClicks,
  RightClick,
  MiddleClick,
  PressReleasedOutside
};

struct MouseCase {
  const char* name;
  Target target;
  Gesture gesture;
  size_t launches;
};
void PrintTo(const MouseCase& c, std::ostream* out) {
  *out << c.name;
}

void Click(POINT on, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
  SendInputs({MouseInput(on, down), MouseInput(on, up)});
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
    Click(on);
    break;
  case Gesture::DoubleClick:
    Click(on);
    Click(on);
    break;
  case Gesture::ThreeSeparateClicks:
    for (int click = 0; click < 3; ++click) {
      Click(on);
      // Input carries the time it was sent at: clicks this far apart are no double click.
      Sleep(GetDoubleClickTime() + 200);
    }
    break;
  case Gesture::RightClick:
    Click(on, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    break;
  case Gesture::MiddleClick:
    Click(on, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
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
    testing::Values(
        MouseCase{"button_click", Target::Button, Gesture::Click, 1},
        MouseCase{"button_double_click", Target::Button, Gesture::DoubleClick, 2},
        MouseCase{"button_three_separate_clicks", Target::Button, Gesture::ThreeSeparateClicks, 3},
        MouseCase{"button_right_click", Target::Button, Gesture::RightClick, 0},
        MouseCase{"button_middle_click", Target::Button, Gesture::MiddleClick, 0},
        MouseCase{"button_press_released_outside", Target::Button, Gesture::PressReleasedOutside,
                  0},
        MouseCase{"banner_click", Target::Banner, Gesture::Click, 1},
        MouseCase{"banner_double_click", Target::Banner, Gesture::DoubleClick, 1},
        MouseCase{"banner_three_separate_clicks", Target::Banner, Gesture::ThreeSeparateClicks, 3},
        MouseCase{"banner_right_click", Target::Banner, Gesture::RightClick, 0},
        MouseCase{"banner_middle_click", Target::Banner, Gesture::MiddleClick, 0},
        MouseCase{"banner_press_released_outside", Target::Banner, Gesture::PressReleasedOutside,
                  0}),
    [](const auto& info) { return std::string(info.param.name); });

// When no browser can be started, the shell's failure is no business of the program's: it shows no
// window of its own, and the next click asks the shell again.
TEST_F(NoticeControls, ShowsNothingWhenTheBrowserFailsAndAsksAgainOnTheNextClick) {
  ASSERT_TRUE(FocusComesTo(text_));
  const POINT banner = Centre(WindowBounds(panel_));
  ASSERT_NO_FATAL_FAILURE(MoveMouseTo(banner));
  const std::set<HWND> shown = program_.ShownWindows();
  log_.RefuseLaunches(true);
  Click(banner);
  EXPECT_TRUE(WaitUntil([&] { return !log_.Refusals().empty(); }, kLaunchPatienceMs))
      << "the click did not reach the browser";
  // Time for a message box or any other window to come up.
  Sleep(kNoLaunchWaitMs);
  program_.Sync(notice_);
  EXPECT_EQ(log_.Refusals(), std::vector<std::string>{kWebsite});
  EXPECT_EQ(program_.ShownWindows(), shown) << "the program shows or hides a window";
  EXPECT_EQ(GetForegroundWindow(), notice_);
  EXPECT_EQ(Focused(), text_);
  ExpectStillOpen();

  log_.RefuseLaunches(false);
  Click(banner);
  ExpectLaunches(1);
  EXPECT_EQ(log_.Refusals().size(), 1u);
}

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
  Click(on);
  ExpectLaunches(1);
}

} // namespace
