// JPEG pictures on a display of 8 bits per pixel, with 20 reserved colours: the picture is
// decoded to a bitmap of 236 colours of its own. Runs on such a display only (see
// run-on-8bit-display.sh): the picture class reads the display's depth once, at start-up.

#include "framework/JPEGImage.h"
#include "framework/JpegDecoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <vector>

namespace {

std::vector<uint8_t> Banner() {
  std::ifstream file(OMBRELO_BANNER_JPG, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

std::set<uint32_t> PaletteOf(const DecodedImage& image) {
  std::set<uint32_t> colours;
  for (const PaletteEntry& entry : image.palette)
    colours.insert(entry.red << 16 | entry.green << 8 | entry.blue);
  return colours;
}

// Draws the picture into a 32-bit bitmap and returns the colours it used.
std::set<uint32_t> ColoursDrawn(TJPEGImage& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.Width();
  info.bmiHeader.biHeight = -picture.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  SelectedObject selected(dc.get(), target.get());
  picture.Draw(dc.get(), 0, 0);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  std::set<uint32_t> colours;
  for (int i = 0; i < picture.Width() * picture.Height(); ++i)
    colours.insert(pixels[i] & 0xFFFFFF);
  return colours;
}

TEST(PaletteDisplay, PicturesAreDrawnInTheirOwn236Colours) {
  HDC screen = GetDC(nullptr);
  const int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
  const bool palette = GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE;
  const int reserved = GetDeviceCaps(screen, NUMRESERVED);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(bitsPerPixel, 8);
  ASSERT_TRUE(palette);
  ASSERT_EQ(reserved, 20);

  const std::vector<uint8_t> stream = Banner();
  TJPEGImage picture(stream);
  const std::set<uint32_t> drawn = ColoursDrawn(picture);
  const std::set<uint32_t> quantised = PaletteOf(DecodeJpeg(stream, JpegOutput::Palette236));
  EXPECT_LE(quantised.size(), 236u);
  // Every colour drawn is one of the two-pass quantiser's, and the picture uses most of them
  // (a 24-bit picture would have thousands of colours).
  EXPECT_GT(drawn.size(), 200u);
  for (uint32_t colour : drawn)
    EXPECT_TRUE(quantised.count(colour)) << std::hex << colour << " is not in the palette";
}

} // namespace
