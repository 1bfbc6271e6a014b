#include "framework/JpegDecoder.h"
#include "framework/JpegError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <jerror.h>
#include <random>
#include <set>
#include <sstream>
#include <string>

// Names the two outputs in test names and failure messages (found by argument-dependent lookup,
// so it lives in the enum's namespace).
void PrintTo(JpegOutput output, std::ostream* out) {
  *out << (output == JpegOutput::TrueColor ? "TrueColor" : "Palette236");
}

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

const Bytes& Banner() {
  static const Bytes banner = ReadFile(OMBRELO_BANNER_JPG);
  return banner;
}

// Offset of the first 0xFF `marker` pair at or after `from` (entropy-coded data stuffs every 0xFF
// data byte with 0x00, so the pair is always a real marker).
size_t FindMarker(const Bytes& jpeg, uint8_t marker, size_t from = 0) {
  for (size_t i = from; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == marker)
      return i;
  ADD_FAILURE() << "marker " << int{marker} << " not found";
  return jpeg.size();
}

// Offset of the first marker at or after `from` that is not a stuffed data byte or a restart
// marker: the end of the entropy-coded data that starts there.
size_t EndOfScanData(const Bytes& jpeg, size_t from) {
  for (size_t i = from; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] != 0x00 && (jpeg[i + 1] & 0xF8) != 0xD0)
      return i;
  return jpeg.size();
}

struct RgbImage {
  int width = 0, height = 0;
  Bytes rgb; // packed rows, red, green, blue per pixel
};

// The colours the decoded picture shows, whatever its layout.
RgbImage ToRgb(const DecodedImage& image) {
  RgbImage result{image.width, image.height, {}};
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = image.pixels.data() + y * image.stride;
    for (int x = 0; x < image.width; ++x) {
      if (image.bitsPerPixel == 8) {
        const PaletteEntry& entry = image.palette.at(row[x]);
        result.rgb.insert(result.rgb.end(), {entry.red, entry.green, entry.blue});
      } else {
        result.rgb.insert(result.rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
      }
    }
  }
  return result;
}

testing::AssertionResult SamePixels(const RgbImage& actual, const RgbImage& expected) {
  if (actual.width != expected.width || actual.height != expected.height)
    return testing::AssertionFailure() << actual.width << "x" << actual.height << " instead of "
                                       << expected.width << "x" << expected.height;
  for (size_t i = 0; i < expected.rgb.size(); ++i)
    if (actual.rgb[i] != expected.rgb[i])
      return testing::AssertionFailure()
             << "first difference at pixel (" << i / 3 % expected.width << ", "
             << i / 3 / expected.width << "): " << int{actual.rgb[i]} << " instead of "
             << int{expected.rgb[i]};
  return testing::AssertionSuccess();
}

// The banner as the library's own djpeg decodes it with `options`, read from its PPM output.
RgbImage DjpegBanner(const std::string& options) {
  const std::string command = "'" OMBRELO_DJPEG "' " + options + " -ppm '" OMBRELO_BANNER_JPG "'";
  FILE* pipe = popen(command.c_str(), "r");
  Bytes output;
  for (int c; pipe && (c = std::fgetc(pipe)) != EOF;)
    output.push_back(static_cast<uint8_t>(c));
  EXPECT_TRUE(pipe && pclose(pipe) == 0) << command;
  std::istringstream ppm(std::string(output.begin(), output.end()));
  std::string magic;
  int maxValue = 0;
  RgbImage image;
  ppm >> magic >> image.width >> image.height >> maxValue;
  EXPECT_EQ(magic, "P6");
  EXPECT_EQ(maxValue, 255);
  const size_t header = static_cast<size_t>(ppm.tellg()) + 1; // one whitespace byte
  image.rgb.assign(output.begin() + std::min(header, output.size()), output.end());
  return image;
}

void ExpectDibLayout(const DecodedImage& image, int bitsPerPixel) {
  EXPECT_EQ(image.bitsPerPixel, bitsPerPixel);
  const size_t rowBytes = static_cast<size_t>(image.width) * bitsPerPixel / 8;
  EXPECT_EQ(image.stride % 4, 0u);
  EXPECT_GE(image.stride, rowBytes);
  EXPECT_LT(image.stride, rowBytes + 4);
  EXPECT_EQ(image.pixels.size(), image.stride * image.height);
}

TEST(JpegDecoder, ReadsTheBannerSizeFromTheHeader) {
  const JpegSize size = ReadJpegSize(Banner());
  EXPECT_EQ(size.width, 674);
  EXPECT_EQ(size.height, 181);
}

TEST(JpegDecoder, TrueColorKeepsManyDistinctColours) {
  const DecodedImage image = DecodeJpeg(Banner(), JpegOutput::TrueColor);
  EXPECT_TRUE(image.palette.empty());
  const Bytes& rgb = ToRgb(image).rgb;
  std::set<uint32_t> colours;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    colours.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
  // More than a 236-colour palette could show, so the two outputs really differ.
  EXPECT_GT(colours.size(), 236u);
}

struct GoldenCase {
  const char* name;
  JpegOutput output;
  int bitsPerPixel;
  const char* djpegOptions;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) {
  *out << golden.name;
}

class JpegGolden : public testing::TestWithParam<GoldenCase> {};

// djpeg comes from the very libjpeg build we link, with the same SIMD code, so the two decodes
// must agree to the last bit; any difference is a setting of ours that differs from djpeg's.
TEST_P(JpegGolden, MatchesTheLibrarysOwnDecoderPixelForPixel) {
  const DecodedImage image = DecodeJpeg(Banner(), GetParam().output);
  ASSERT_EQ(image.width, 674);
  ASSERT_EQ(image.height, 181);
  ExpectDibLayout(image, GetParam().bitsPerPixel);
  if (GetParam().bitsPerPixel == 8) {
    EXPECT_FALSE(image.palette.empty());
    EXPECT_LE(image.palette.size(), 236u);
  }
  EXPECT_TRUE(SamePixels(ToRgb(image), DjpegBanner(GetParam().djpegOptions)));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, JpegGolden,
    testing::Values(GoldenCase{"TrueColor", JpegOutput::TrueColor, 24, "-dct float"},
                    GoldenCase{"Palette236", JpegOutput::Palette236, 8, "-dct float -colors 236"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CorruptCase {
  const char* name;
  std::function<Bytes()> make;
  J_MESSAGE_CODE expected;
};

Bytes Patched(size_t offset, std::initializer_list<uint8_t> bytes) {
  Bytes jpeg = Banner();
  std::copy(bytes.begin(), bytes.end(), jpeg.begin() + offset);
  return jpeg;
}

Bytes CutAt(size_t size) {
  return Bytes(Banner().begin(), Banner().begin() + size);
}

// The banner with its frame header claiming another size; its scans are left as they are.
Bytes WithSize(int width, int height) {
  const size_t frame = FindMarker(Banner(), 0xC2);
  return Patched(frame + 5, {static_cast<uint8_t>(height >> 8), static_cast<uint8_t>(height),
                             static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(width)});
}

Bytes Garbage() {
  std::mt19937 random(1234);
  Bytes bytes(4096);
  for (uint8_t& byte : bytes)
    byte = static_cast<uint8_t>(random());
  return bytes;
}

void PrintTo(const CorruptCase& corrupt, std::ostream* out) {
  *out << corrupt.name;
}

class JpegCorrupt : public testing::TestWithParam<CorruptCase> {};

TEST_P(JpegCorrupt, RaisesEjpegWithLibjpegsCode) {
  const Bytes jpeg = GetParam().make();
  const std::wstring expected = L"JPEG error #" + std::to_wstring(GetParam().expected);
  const std::function<void()> calls[] = {
      [&] { ReadJpegSize(jpeg); },
      [&] { DecodeJpeg(jpeg, JpegOutput::TrueColor); },
      [&] { DecodeJpeg(jpeg, JpegOutput::Palette236); },
  };
  for (const auto& call : calls) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const EJPEG& error) {
      EXPECT_EQ(error.Message(), expected);
      EXPECT_STREQ(error.ClassName(), L"EJPEG");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, JpegCorrupt,
    testing::Values(
        CorruptCase{"Empty", [] { return Bytes(); }, JERR_INPUT_EMPTY},
        CorruptCase{"RandomBytes", Garbage, JERR_NO_SOI},
        CorruptCase{"StartMarkerOverwritten",
                    [] {
                      return Patched(0, {'G', 'I'});
                    },
                    JERR_NO_SOI},
        CorruptCase{"SecondStartMarker", [] { return Patched(3, {0xD8}); }, JERR_SOI_DUPLICATE},
        CorruptCase{"UnknownMarkerInHeader", [] { return Patched(3, {0x02}); },
                    JERR_UNKNOWN_MARKER},
        CorruptCase{"QuantTableLengthZero",
                    [] {
                      return Patched(FindMarker(Banner(), 0xDB) + 2, {0, 0});
                    },
                    JERR_BAD_LENGTH},
        CorruptCase{"CutAfterStartMarker", [] { return CutAt(2); }, JERR_NO_IMAGE},
        // The padding libjpeg reads past the end gives the frame a component count that does
        // not fit the segment's length.
        CorruptCase{"CutInsideFrameHeader", [] { return CutAt(FindMarker(Banner(), 0xC2) + 6); },
                    JERR_BAD_LENGTH},
        CorruptCase{"CutBeforeFirstScan", [] { return CutAt(FindMarker(Banner(), 0xDA)); },
                    JERR_SOF_NO_SOS},
        // Refused on the header's word, before any memory is taken for the picture.
        CorruptCase{"OnePixelRowOverTheSizeBound", [] { return WithSize(4097, 4096); },
                    JERR_IMAGE_TOO_BIG},
        CorruptCase{"WideOverTheSizeBound", [] { return WithSize(65500, 257); },
                    JERR_IMAGE_TOO_BIG},
        CorruptCase{"LargestHeader", [] { return WithSize(65500, 65500); }, JERR_IMAGE_TOO_BIG}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegDecoder, ReadsHeadersUpToTheSizeBound) {
  for (const JpegSize size : {JpegSize{4096, 4096}, JpegSize{65500, 256}}) {
    const JpegSize read = ReadJpegSize(WithSize(size.width, size.height));
    EXPECT_EQ(read.width, size.width);
    EXPECT_EQ(read.height, size.height);
  }
}

// The banner with `scans` scans in all: its sixth scan, which refines the lowest bit of every DC
// coefficient, repeated. libjpeg only warns about the repeats, and since they set the same bits
// again the picture stays the banner.
Bytes WithScans(int scans) {
  const Bytes& banner = Banner();
  size_t sixth = FindMarker(banner, 0xDA);
  for (int scan = 2; scan <= 6; ++scan)
    sixth = FindMarker(banner, 0xDA, sixth + 2);
  // Three components, then the spectral selection 0-0 and the bit positions Ah 1, Al 0.
  EXPECT_EQ(Bytes(banner.begin() + sixth + 4, banner.begin() + sixth + 14),
            Bytes({3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 0, 0x10}));
  const Bytes refinement(banner.begin() + sixth, banner.begin() + EndOfScanData(banner, sixth + 2));
  Bytes jpeg(banner.begin(), banner.begin() + sixth);
  for (int copy = 0; copy < scans - 6; ++copy)
    jpeg.insert(jpeg.end(), refinement.begin(), refinement.end());
  jpeg.insert(jpeg.end(), banner.begin() + sixth + refinement.size(), banner.end());
  return jpeg;
}

class JpegOutputs : public testing::TestWithParam<JpegOutput> {};

TEST_P(JpegOutputs, TakesInAsManyScansAsTheLimitAndNoMore) {
  const RgbImage banner = ToRgb(DecodeJpeg(Banner(), GetParam()));
  EXPECT_TRUE(SamePixels(ToRgb(DecodeJpeg(WithScans(kMaxJpegScans), GetParam())), banner));
  try {
    DecodeJpeg(WithScans(kMaxJpegScans + 1), GetParam());
    ADD_FAILURE() << "no error";
  } catch (const EJPEG& error) {
    EXPECT_EQ(error.Message(), L"JPEG error #" + std::to_wstring(JERR_BAD_PROGRESSION));
  }
}

// libjpeg only warns about data that ends early and pads the rest of the picture.
TEST_P(JpegOutputs, CutInsideScanDataStillDecodesToFullSize) {
  const size_t scan = FindMarker(Banner(), 0xDA);
  const size_t nextMarker = FindMarker(Banner(), 0xC4, scan + 2);
  const Bytes jpeg = CutAt((scan + nextMarker) / 2);
  const DecodedImage image = DecodeJpeg(jpeg, GetParam());
  EXPECT_EQ(image.width, 674);
  EXPECT_EQ(image.height, 181);
  EXPECT_EQ(image.pixels.size(), image.stride * 181);
}

TEST_P(JpegOutputs, DecodesAgainAfterAnError) {
  const RgbImage first = ToRgb(DecodeJpeg(Banner(), GetParam()));
  EXPECT_THROW(DecodeJpeg(Patched(0, {0, 0}), GetParam()), EJPEG);
  EXPECT_THROW(DecodeJpeg(CutAt(FindMarker(Banner(), 0xDA)), GetParam()), EJPEG);
  EXPECT_TRUE(SamePixels(ToRgb(DecodeJpeg(Banner(), GetParam())), first));
}

INSTANTIATE_TEST_SUITE_P(Outputs, JpegOutputs,
                         testing::Values(JpegOutput::TrueColor, JpegOutput::Palette236),
                         [](const auto& info) { return testing::PrintToString(info.param); });

} // namespace
