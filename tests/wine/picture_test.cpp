// The banner picture as the user sees it: decoded and shown, its decoding errors reported once
// through the message loop, and the banner area without JPEG support.

#include "support/Program.h"
#include "support/Screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <jerror.h>

namespace {

TEST(Banner, ShowsThePictureInTheBannerArea) {
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  ReleaseDC(nullptr, screen);
  Program program;
  HWND panel = BannerPanel(program);
  WaitUntilPainted(program, panel);
  const Capture banner = CaptureScreen(WindowBounds(panel));
  EXPECT_EQ(banner.width, 674);
  EXPECT_EQ(banner.height, 181);
  // A drawing with gradients: a blank or one-colour area would have a handful.
  EXPECT_GT(banner.DistinctColours(), 2000u);
}

struct DamageCase {
  const char* name;
  J_MESSAGE_CODE code;
};

void PrintTo(const DamageCase& c, std::ostream* out) {
  *out << c.name;
}

class DamagedBanner : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedBanner, IsReportedOnceAndTheProgramGoesOn) {
  const std::wstring name =
      L"banner_" + std::wstring(GetParam().name, GetParam().name + std::strlen(GetParam().name));
  Program program(Launch().Path(std::wstring(VARIANTS_DIR) + L"\\" + name + L".exe"));
  const MessageBoxSeen box = WaitForMessageBox(program);
  EXPECT_EQ(box.caption, name); // the application's title
  EXPECT_EQ(box.text, L"JPEG error #" + std::to_wstring(GetParam().code));
  EXPECT_TRUE(box.hasOk);
  PressOk(box);

  HWND notice = program.NoticeWindow();
  RedrawWindow(notice, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  program.Sync(notice);
  EXPECT_FALSE(ShowsMessageBox(program, 1000)) << "the damaged picture is reported again";
  EXPECT_TRUE(IsWindowVisible(notice));
  PostMessageW(notice, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Streams, DamagedBanner,
                         testing::Values(DamageCase{"bad_marker", JERR_UNKNOWN_MARKER},
                                         DamageCase{"cut_off", JERR_NO_IMAGE},
                                         DamageCase{"empty", JERR_INPUT_EMPTY},
                                         DamageCase{"garbage", JERR_NO_SOI}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BannerWithoutJpegSupport, ShowsThePanelFaceWithItsCaptionCentred) {
  Program program(Launch().Path(std::wstring(VARIANTS_DIR) + L"\\without_jpeg.exe"));
  EXPECT_FALSE(ShowsMessageBox(program, 500)) << "the picture is dropped without an error";
  HWND panel = BannerPanel(program);
  WaitUntilPainted(program, panel);
  const Capture banner = CaptureScreen(WindowBounds(panel));
  const uint32_t face = SystemColour(COLOR_BTNFACE);
  // The caption's pixels lie in a small box around the centre; everything else is the face.
  RECT ink{banner.width, banner.height, 0, 0};
  for (int y = 0; y < banner.height; ++y) {
    for (int x = 0; x < banner.width; ++x) {
      if (banner.At(x, y) != face) {
        ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
               std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
      }
    }
  }
  ASSERT_LT(ink.left, ink.right) << "no caption drawn";
  EXPECT_LE(ink.right - ink.left, 60) << "more than the caption \"Panel1\" was drawn";
  EXPECT_LE(ink.bottom - ink.top, 16);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, banner.width / 2.0, 2.0);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, banner.height / 2.0, 2.0);
}

} // namespace
