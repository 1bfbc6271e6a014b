// libFuzzer target: any bytes go through the decoding as the program does it (the header's size
// first, then the pixels) for both outputs. Every input must end in EJPEG or in a picture that is
// what the header said, with every palette index in the palette; anything else aborts.

#include "framework/JpegDecoder.h"
#include "framework/JpegError.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>

namespace {

// Pictures within the decoder's bound but over a quarter of a megapixel (twice the banner) decode
// correctly, only slowly under the sanitizers: leaving them out keeps the fuzzer exploring.
constexpr int64_t kLargestDecoded = int64_t{1} << 18;

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "jpeg_decoder_fuzz: %s\n", what);
    std::abort();
  }
}

std::optional<JpegSize> ReadSize(std::span<const uint8_t> stream) {
  try {
    const JpegSize size = ReadJpegSize(stream);
    Require(int64_t{size.width} * size.height <= kMaxJpegPixels, "a header over the bound passed");
    return size;
  } catch (const EJPEG&) {
    return std::nullopt;
  }
}

void CheckPicture(const DecodedImage& image, JpegSize header) {
  Require(image.width == header.width && image.height == header.height,
          "the picture's size is not the header's");
  Require(image.pixels.size() == image.stride * size_t(image.height), "pixels do not fill rows");
  if (image.bitsPerPixel != 8)
    return;
  Require(!image.palette.empty() && image.palette.size() <= 236, "palette of a wrong size");
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      Require(image.pixels[y * image.stride + x] < image.palette.size(), "index past the palette");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> stream(data, size);
  const std::optional<JpegSize> header = ReadSize(stream);
  if (header && int64_t{header->width} * header->height > kLargestDecoded)
    return 0;
  for (const JpegOutput output : {JpegOutput::TrueColor, JpegOutput::Palette236}) {
    try {
      const DecodedImage image = DecodeJpeg(stream, output);
      // Decoding reads the header first, the same way: a stream whose header failed fails.
      Require(header.has_value(), "decoded a stream whose header was refused");
      CheckPicture(image, *header);
    } catch (const EJPEG&) {
    }
  }
  return 0;
}
