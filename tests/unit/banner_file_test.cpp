// Checks the layout of the committed banner JPEG (made by tools/make_banner.py) by walking its
// markers: the notice window's banner has to be this exact kind of file.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef OMBRELO_BANNER_JPG
#error "OMBRELO_BANNER_JPG must name the banner JPEG"
#endif

namespace {

struct Component {
  int id = 0;
  int h = 0;
  int v = 0;
};

struct JpegLayout {
  std::string error; // empty if the walk reached EOI
  std::vector<int> frameMarkers;
  int precision = 0;
  int width = 0;
  int height = 0;
  std::vector<Component> components;
  int scans = 0;
  bool jfif = false;
  int jfifMajor = 0;
  int jfifMinor = 0;
  int units = 0;
  int xDensity = 0;
  int yDensity = 0;
};

bool isFrameMarker(int m) {
  // SOF0..SOF15, leaving out DHT (C4), JPG (C8) and DAC (CC)
  return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

JpegLayout walk(const std::vector<std::uint8_t>& d) {
  JpegLayout out;
  auto u16 = [&](std::size_t at) { return d[at] << 8 | d[at + 1]; };
  auto fail = [&](const std::string& why, std::size_t at) {
    out.error = why + " at offset " + std::to_string(at);
    return out;
  };

  if (d.size() < 2 || d[0] != 0xFF || d[1] != 0xD8)
    return fail("no SOI marker", 0);
  std::size_t at = 2;
  for (;;) {
    if (at >= d.size() || d[at] != 0xFF)
      return fail("expected a marker", at);
    while (at < d.size() && d[at] == 0xFF) // fill bytes before a marker
      ++at;
    if (at >= d.size())
      return fail("file ends inside a marker", at);
    const int marker = d[at++];
    if (marker == 0xD9)
      return out;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
      continue; // no length field
    if (at + 2 > d.size())
      return fail("file ends inside a segment length", at);
    const std::size_t length = u16(at);
    if (length < 2 || at + length > d.size())
      return fail("segment runs past the end of the file", at);
    const std::uint8_t* body = d.data() + at + 2;
    const std::size_t size = length - 2;

    if (marker == 0xE0 && size >= 14 && std::memcmp(body, "JFIF\0", 5) == 0) {
      out.jfif = true;
      out.jfifMajor = body[5];
      out.jfifMinor = body[6];
      out.units = body[7];
      out.xDensity = body[8] << 8 | body[9];
      out.yDensity = body[10] << 8 | body[11];
    } else if (isFrameMarker(marker)) {
      out.frameMarkers.push_back(marker);
      if (size < 6 || size < 6 + 3 * std::size_t{body[5]})
        return fail("frame header too short", at);
      out.precision = body[0];
      out.height = body[1] << 8 | body[2];
      out.width = body[3] << 8 | body[4];
      out.components.clear();
      for (int i = 0; i < body[5]; ++i) {
        const std::uint8_t* c = body + 6 + 3 * i;
        out.components.push_back({c[0], c[1] >> 4, c[1] & 0x0F});
      }
    }
    at += length;

    if (marker == 0xDA) {
      ++out.scans;
      // Entropy-coded data follows up to the next marker; FF 00 is a stuffed FF byte and
      // RSTn markers belong to the scan.
      while (at + 1 < d.size()) {
        if (d[at] != 0xFF) {
          ++at;
          continue;
        }
        const int next = d[at + 1];
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
          at += 2;
        else if (next == 0xFF)
          ++at;
        else
          break;
      }
      if (at + 1 >= d.size())
        return fail("file ends inside scan data", at);
    }
  }
}

const JpegLayout& banner() {
  static const JpegLayout layout = [] {
    std::ifstream in(OMBRELO_BANNER_JPG, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (!bytes.empty())
      return walk(bytes);
    JpegLayout unread;
    unread.error = "cannot read the file";
    return unread;
  }();
  return layout;
}

TEST(BannerFile, IsProgressive674x181WithFullColourResolution) {
  const JpegLayout& jpeg = banner();
  ASSERT_EQ(jpeg.error, "") << OMBRELO_BANNER_JPG;
  ASSERT_EQ(jpeg.frameMarkers, std::vector<int>{0xC2})
      << "want exactly one frame header, SOF2 (0xC2 = 194, progressive Huffman)";
  EXPECT_EQ(jpeg.width, 674);
  EXPECT_EQ(jpeg.height, 181);
  EXPECT_EQ(jpeg.precision, 8) << "sample precision in bits";
  ASSERT_EQ(jpeg.components.size(), 3u) << "colour components";
  for (const Component& c : jpeg.components) {
    EXPECT_EQ(c.h, 1) << "horizontal sampling factor of component " << c.id;
    EXPECT_EQ(c.v, 1) << "vertical sampling factor of component " << c.id;
  }
}

TEST(BannerFile, HasSevenScansAndJfif102At80Dpi) {
  const JpegLayout& jpeg = banner();
  ASSERT_EQ(jpeg.error, "") << OMBRELO_BANNER_JPG;
  EXPECT_EQ(jpeg.scans, 7) << "SOS markers";
  ASSERT_TRUE(jpeg.jfif) << "no JFIF APP0 segment";
  EXPECT_EQ(jpeg.jfifMajor, 1) << "JFIF major version";
  EXPECT_EQ(jpeg.jfifMinor, 2) << "JFIF minor version";
  EXPECT_EQ(jpeg.units, 1) << "JFIF density units (1 = dots per inch)";
  EXPECT_EQ(jpeg.xDensity, 80) << "JFIF X density";
  EXPECT_EQ(jpeg.yDensity, 80) << "JFIF Y density";
}

} // namespace
