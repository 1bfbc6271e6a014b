#pragma once
// Window-free JPEG decoding into Windows DIB-shaped pixels. Both functions raise EJPEG when
// libjpeg rejects the stream.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

enum class JpegOutput { TrueColor, Palette236 };

struct PaletteEntry {
  uint8_t red, green, blue;
};

struct DecodedImage {
  int width = 0, height = 0;
  int bitsPerPixel = 0; // 24 or 8
  size_t stride = 0;    // bytes per row, a multiple of 4 (a Windows DIB row)
  // Top-down rows; 24-bit rows are blue, green, red per pixel; 8-bit rows are palette indices.
  std::vector<uint8_t> pixels;
  std::vector<PaletteEntry> palette; // 8-bit only: the colours the decoder chose (236 at most)
};

struct JpegSize {
  int width, height;
};

JpegSize ReadJpegSize(std::span<const uint8_t> stream);
DecodedImage DecodeJpeg(std::span<const uint8_t> stream, JpegOutput output);
