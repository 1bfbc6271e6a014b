#pragma once
// Window-free JPEG decoding into Windows DIB-shaped pixels. The functions raise EJPEG when
// libjpeg rejects the stream, or when the stream asks for more than the limits below.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Pictures up to 16 megapixels (4096 × 4096): the banner has 0.12, a 4K screen 8.3. Larger
// headers are refused before anything is allocated for the picture.
inline constexpr int64_t kMaxJpegPixels = int64_t{1} << 24;
// Scans a stream may have: the banner has 7, encoders' usual progressions 6 to 10. Each scan
// can cost a pass over the whole picture, so a hostile stream of tiny scans would spin.
inline constexpr int kMaxJpegScans = 100;

enum class JpegOutput { TrueColor, Palette236 };

struct PaletteEntry {
  uint8_t red, green, blue;
};

// The shape of a decoded picture, known before its pixels are.
struct ImageLayout {
  int width = 0, height = 0;
  int bitsPerPixel = 0;              // 24 or 8
  size_t stride = 0;                 // bytes per row, a multiple of 4 (a Windows DIB row)
  std::vector<PaletteEntry> palette; // 8-bit only: the colours the decoder chose (236 at most)
};

// Top-down rows; 24-bit rows are blue, green, red per pixel; 8-bit rows are palette indices.
struct DecodedImage : ImageLayout {
  std::vector<uint8_t> pixels;
};

// Gives the decoder room for stride × height bytes of pixels, laid out as above.
using PixelStorage = std::function<uint8_t*(const ImageLayout& layout)>;

struct JpegSize {
  int width, height;
};

JpegSize ReadJpegSize(std::span<const uint8_t> stream);
// Decodes into storage that `storage` hands out (a bitmap's own pixels, for instance), so that the
// picture is never held twice.
void DecodeJpegInto(std::span<const uint8_t> stream, JpegOutput output,
                    const PixelStorage& storage);
DecodedImage DecodeJpeg(std::span<const uint8_t> stream, JpegOutput output);
