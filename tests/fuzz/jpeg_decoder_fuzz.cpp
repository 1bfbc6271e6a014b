#include "framework/JpegDecoder.h"
#include "framework/JpegError.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> stream(data, size);
  try {
    const JpegSize jpegSize = ReadJpegSize(stream);
    // A header may claim up to 65500 x 65500; decoding that would only measure the allocator and
    // run into libFuzzer's memory limit. The banner is about 0.12 megapixels.
    if (int64_t{jpegSize.width} * jpegSize.height > 1'000'000)
      return 0;
    DecodeJpeg(stream, JpegOutput::TrueColor);
    DecodeJpeg(stream, JpegOutput::Palette236);
  } catch (const EJPEG&) {
  }
  return 0;
}
