// The notice window's arrangement when it is resized, scrolled, maximised or built on a screen of
// another density, seen from another process: where its controls are, which scroll bars it
// shows, and what the banner area shows.

#include "support/Input.h"
#include "support/NoticeControls.h"
#include "support/Program.h"
#include "support/Screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace {

constexpr int kPictureWidth = 674;
constexpr int kPictureHeight = 181;

struct Rect {
  int left, top, width, height;
  friend bool operator==(const Rect&, const Rect&) = default;
};
void PrintTo(const Rect& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ") " << r.width << "x" << r.height;
}

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixelsPerInch;
}

// Whether the colours of column `x` of `a` and column `x` of `b` are the same.
bool SameColumn(const Capture& a, int ax, const Capture& b, int bx) {
  for (int y = 0; y < std::min(a.height, b.height); ++y) {
    if (a.At(ax, y) != b.At(bx, y))
      return false;
  }
  return true;
}

testing::AssertionResult AllOneColour(const Capture& capture, const RECT& area, uint32_t colour) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (capture.At(x, y) != colour)
        return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                           << capture.At(x, y) << ", not " << colour;
    }
  }
  return testing::AssertionSuccess();
}

class NoticeLayout : public testing::Test {
protected:
  explicit NoticeLayout(Launch launch = {}) : program_(std::move(launch)) {
    notice_ = program_.NoticeWindow();
    panel_ = FindWindowExW(notice_, nullptr, L"TPanel", nullptr);
    text_ = FindWindowExW(notice_, nullptr, L"EDIT", nullptr);
    button_ = FindWindowExW(notice_, nullptr, L"BUTTON", nullptr);
  }

  void SetUp() override {
    ASSERT_TRUE(panel_ && text_ && button_) << "the notice window lacks a control";
    WaitUntilPainted(program_, panel_);
  }

  // Where a control is, in the notice window's client coordinates.
  Rect Place(HWND control) const {
    RECT r = WindowBounds(control);
    MapWindowPoints(nullptr, notice_, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }

  bool HasScrollBar(DWORD style) const {
    return (GetWindowLongPtrW(notice_, GWL_STYLE) & style) != 0;
  }

  SIZE ClientSize() const {
    RECT client{};
    GetClientRect(notice_, &client);
    return {client.right, client.bottom};
  }

  // Resizes the window so that its client area, without scroll bars, is `width` × `height`. The
  // window must stay on the desktop: what lies beyond it cannot be captured.
  void ResizeClientTo(int width, int height) {
    ::ResizeClientTo(notice_, {width, height});
    program_.Sync(notice_);
    WaitUntilPainted(program_, panel_);
  }

  void Scroll(UINT message, WORD request) {
    SendMessageW(notice_, message, request, 0);
    WaitUntilPainted(program_, panel_);
  }

  // The banner area as it shows on screen, cut to the notice window's client area. What a
  // window has painted reaches the screen a little later under Wine: the screen is read until it
  // holds still.
  Capture ShownBanner() const {
    RECT shown = WindowBounds(panel_);
    RECT client{};
    GetClientRect(notice_, &client);
    MapWindowPoints(notice_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&shown, &shown, &client);
    Capture capture = CaptureScreen(shown);
    for (int tries = 0; tries < 20; ++tries) {
      Sleep(50);
      Capture again = CaptureScreen(shown);
      if (again.pixels == capture.pixels)
        break;
      capture = std::move(again);
    }
    return capture;
  }

  void ExpectArrangement(const Rect& panel, const Rect& text, const Rect& button) const {
    EXPECT_EQ(Place(panel_), panel) << "banner panel";
    EXPECT_EQ(Place(text_), text) << "text box";
    EXPECT_EQ(Place(button_), button) << "button";
  }

  Program program_;
  HWND notice_ = nullptr;
  HWND panel_ = nullptr;
  HWND text_ = nullptr;
  HWND button_ = nullptr;
};

class Resizing : public NoticeLayout {
protected:
  void SetUp() override {
    NoticeLayout::SetUp();
    if (ScreenPixelsPerInch() != 96)
      GTEST_SKIP() << "the figures are those of a screen of 96 pixels per inch";
  }
};

TEST_F(Resizing, WideningStretchesTheBannerAreaAndTextButNotThePictureOrTheButton) {
  const Capture designed = ShownBanner();
  ASSERT_EQ(designed.width, kPictureWidth);
  ResizeClientTo(820, 440);

  EXPECT_FALSE(HasScrollBar(WS_HSCROLL | WS_VSCROLL));
  ExpectArrangement({0, 0, 820, 181}, {0, 181, 820, 200}, {484, 400, 175, 25});
  const Capture widened = ShownBanner();
  ASSERT_EQ(widened.width, 820);
  for (int x = 0; x < kPictureWidth; ++x)
    ASSERT_TRUE(SameColumn(widened, x, designed, x)) << "the picture changed at column " << x;
  // The strip right of the picture: the face colour only, never the panel's caption.
  EXPECT_TRUE(
      AllOneColour(widened, {kPictureWidth, 0, 820, kPictureHeight}, SystemColour(COLOR_BTNFACE)));
}

struct ThresholdCase {
  const char* name;
  SIZE client; // without scroll bars
  bool horizontal, vertical;
};
void PrintTo(const ThresholdCase& c, std::ostream* out) {
  *out << c.name;
}

class ScrollBarThreshold : public Resizing, public testing::WithParamInterface<ThresholdCase> {};

TEST_P(ScrollBarThreshold, ShowsABarWhileTheClientAreaIsSmallerThanTheContent) {
  const auto& c = GetParam();
  ResizeClientTo(c.client.cx, c.client.cy);
  EXPECT_EQ(HasScrollBar(WS_HSCROLL), c.horizontal);
  EXPECT_EQ(HasScrollBar(WS_VSCROLL), c.vertical);
}

// The content is 659 × 425: the button's right edge, and its bottom edge.
INSTANTIATE_TEST_SUITE_P(
    Sizes, ScrollBarThreshold,
    testing::Values(ThresholdCase{"content_size", {659, 425}, false, false},
                    ThresholdCase{"one_narrower", {658, 425 + 40}, true, false},
                    ThresholdCase{"one_lower", {659 + 40, 424}, false, true},
                    // The horizontal bar takes from the height what the content needs.
                    ThresholdCase{"narrower_with_little_height_to_spare", {658, 430}, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Resizing, BelowTheContentSizeScrollingMovesBannerTextAndButtonTogether) {
  const Capture designed = ShownBanner();
  ResizeClientTo(600, 400);
  ASSERT_TRUE(HasScrollBar(WS_HSCROLL) && HasScrollBar(WS_VSCROLL));
  // The banner area and the text keep the content's width: the picture's last columns are cut.
  ExpectArrangement({0, 0, 659, 181}, {0, 181, 659, 200}, {484, 400, 175, 25});

  Scroll(WM_HSCROLL, SB_BOTTOM);
  // Scrolled to the far right, the banner area ends with the picture's column 658.
  const Capture scrolled = ShownBanner();
  EXPECT_TRUE(SameColumn(scrolled, scrolled.width - 1, designed, 658));
  Scroll(WM_VSCROLL, SB_BOTTOM);
  const SIZE client = ClientSize();
  const int dx = 659 - client.cx, dy = 425 - client.cy;
  ExpectArrangement({-dx, -dy, 659, 181}, {-dx, 181 - dy, 659, 200}, {484 - dx, 400 - dy, 175, 25});

  Scroll(WM_HSCROLL, SB_TOP);
  Scroll(WM_VSCROLL, SB_TOP);
  ExpectArrangement({0, 0, 659, 181}, {0, 181, 659, 200}, {484, 400, 175, 25});

  // Scrolled away and then made large again: back to the unscrolled arrangement.
  Scroll(WM_VSCROLL, SB_BOTTOM);
  ResizeClientTo(700, 500);
  EXPECT_FALSE(HasScrollBar(WS_HSCROLL | WS_VSCROLL));
  ExpectArrangement({0, 0, 700, 181}, {0, 181, 700, 200}, {484, 400, 175, 25});
}

// The arrangement the window description scales to on screens of the densities tried here.
struct DensityCase {
  int panelHeight;
  int textHeight;
  Rect button;
  SIZE content;
};
const std::map<int, DensityCase> kByPixelsPerInch = {
    {96, {181, 200, {484, 400, 175, 25}, {659, 425}}},
    // The font is 15 pixels high instead of 12: everything grows by 15 / 12.
    {120, {226, 250, {605, 500, 219, 31}, {824, 531}}},
};

class Density : public NoticeLayout {
protected:
  void ExpectScaledArrangement(const DensityCase& c) const {
    const SIZE client = ClientSize();
    const int width = std::max<int>(client.cx, c.content.cx);
    ExpectArrangement({0, 0, width, c.panelHeight}, {0, c.panelHeight, width, c.textHeight},
                      c.button);
    EXPECT_EQ(HasScrollBar(WS_HSCROLL), client.cx < c.content.cx);
    EXPECT_EQ(HasScrollBar(WS_VSCROLL), client.cy < c.content.cy);
  }

  void SaveScreenshot(int pixelsPerInch) const {
    for (HWND window : {notice_, panel_, text_, button_})
      WaitUntilPainted(program_, window);
    std::filesystem::create_directories(std::filesystem::path(SCREENSHOTS_DIR));
    SaveBitmap(CaptureScreen(WindowBounds(notice_)), std::wstring(SCREENSHOTS_DIR) + L"\\notice-" +
                                                         std::to_wstring(pixelsPerInch) +
                                                         L"dpi.bmp");
  }
};

TEST_F(Density, ScalesTheControlsOnceAndKeepsTheWindowsStoredSize) {
  const int pixelsPerInch = ScreenPixelsPerInch();
  const auto expected = kByPixelsPerInch.find(pixelsPerInch);
  ASSERT_NE(expected, kByPixelsPerInch.end()) << "a density this test does not know";
  const DensityCase& c = expected->second;
  SaveScreenshot(pixelsPerInch);

  const RECT outer = WindowBounds(notice_);
  EXPECT_EQ(outer.right - outer.left, 682);
  EXPECT_EQ(outer.bottom - outer.top, 466);
  ExpectScaledArrangement(c);

  // The scroll ranges are the content's size: scrolled to the end, the content's far corner, the
  // button's, meets the client area's.
  Scroll(WM_HSCROLL, SB_BOTTOM);
  Scroll(WM_VSCROLL, SB_BOTTOM);
  const SIZE client = ClientSize();
  const Rect button = Place(button_);
  EXPECT_EQ(button.left + button.width, std::min<int>(client.cx, c.content.cx));
  EXPECT_EQ(button.top + button.height, std::min<int>(client.cy, c.content.cy));
  Scroll(WM_HSCROLL, SB_TOP);
  Scroll(WM_VSCROLL, SB_TOP);

  // Resizing lays the scaled controls out again; it does not scale them again.
  ResizeClientTo(840, 560);
  ExpectScaledArrangement(c);
}

// The width of the banner panel's caption "Panel1" in the window's font.
int CaptionWidth() {
  HDC screen = GetDC(nullptr);
  HFONT font =
      CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
  HGDIOBJ previous = SelectObject(screen, font);
  SIZE size{};
  GetTextExtentPoint32W(screen, L"Panel1", 6, &size);
  SelectObject(screen, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return size.cx;
}

// The smallest rectangle holding every pixel of `area` that is not `colour`; empty if none.
RECT InkBounds(const Capture& capture, const RECT& area, uint32_t colour) {
  RECT ink{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (capture.At(x, y) != colour)
        ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
               std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
    }
  }
  return ink;
}

class Maximised : public NoticeLayout {
protected:
  Maximised() : NoticeLayout(Launch().Show(SW_SHOWMAXIMIZED)) {}
};

// The picture first drew itself on a panel wider than itself: from then on the panel paints its
// face and caption, which shows wherever the picture does not cover it.
TEST_F(Maximised, ShowsThePanelCaptionBesideThePictureOnceRepaintedIfThereIsRoom) {
  ASSERT_TRUE(IsZoomed(notice_));
  RedrawWindow(panel_, nullptr, nullptr, RDW_INVALIDATE);
  WaitUntilPainted(program_, panel_);
  const Capture banner = ShownBanner();
  ASSERT_GT(banner.width, kPictureWidth);
  const RECT strip{kPictureWidth, 0, banner.width, banner.height};
  const RECT ink = InkBounds(banner, strip, SystemColour(COLOR_BTNFACE));
  const int captionWidth = CaptionWidth();
  if (banner.width / 2 - captionWidth / 2 < kPictureWidth + 2) {
    EXPECT_TRUE(IsRectEmpty(&ink)) << "the caption lies under the picture on this desktop";
    return;
  }
  ASSERT_FALSE(IsRectEmpty(&ink)) << "no caption in the strip";
  EXPECT_LE(ink.right - ink.left, captionWidth);
  EXPECT_GE(ink.right - ink.left, captionWidth / 2);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, banner.width / 2.0, 2.0);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, banner.height / 2.0, 2.0);
}

class WidenedWindow : public NoticeControls {};

TEST_F(WidenedWindow, AClickOnTheStripBesideThePictureOpensTheWebsite) {
  constexpr int kWider = 140;
  SetWindowPos(notice_, nullptr, 0, 0, bounds_.right - bounds_.left + kWider,
               bounds_.bottom - bounds_.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  program_.Sync(notice_);
  const RECT panel = WindowBounds(panel_);
  ASSERT_EQ(panel.right - panel.left, kPictureWidth + kWider);
  const POINT strip{panel.left + kPictureWidth + kWider / 2, (panel.top + panel.bottom) / 2};
  ASSERT_EQ(WindowFromPoint(strip), panel_);
  ASSERT_NO_FATAL_FAILURE(MoveMouseTo(strip));
  SendInputs({MouseInput(strip, MOUSEEVENTF_LEFTDOWN), MouseInput(strip, MOUSEEVENTF_LEFTUP)});
  ExpectLaunches(1);
}

} // namespace
