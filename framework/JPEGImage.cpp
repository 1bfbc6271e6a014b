#include "JPEGImage.h"

#include "JpegDecoder.h"
#include "JpegError.h"
#include "WinError.h"

namespace {

int ReadDisplayBitsPerPixel() {
  WindowDC screen(nullptr);
  return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
}

// Read once, at start-up.
const int displayBitsPerPixel = ReadDisplayBitsPerPixel();

struct BitmapInfo256 {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

// A DIB section shaped as the decoder lays out its pixels; `bits` receives where they go.
UniqueBitmap CreateBitmap(const ImageLayout& layout, void** bits) {
  BitmapInfo256 info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = layout.width;
  info.header.biHeight = -layout.height; // top-down rows, as decoded
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(layout.bitsPerPixel);
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(layout.palette.size());
  for (size_t i = 0; i < layout.palette.size(); ++i)
    info.colors[i] = {layout.palette[i].blue, layout.palette[i].green, layout.palette[i].red, 0};
  UniqueBitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, bits, nullptr, 0));
  if (!bitmap)
    ThrowLastError(L"CreateDIBSection");
  return bitmap;
}

UniquePalette CreatePalette(const ImageLayout& image) {
  struct {
    WORD version = 0x300;
    WORD count = 0;
    PALETTEENTRY entries[256];
  } logical{};
  logical.count = static_cast<WORD>(image.palette.size());
  for (size_t i = 0; i < image.palette.size(); ++i)
    logical.entries[i] = {image.palette[i].red, image.palette[i].green, image.palette[i].blue, 0};
  UniquePalette palette(::CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical)));
  if (!palette)
    ThrowLastError(L"CreatePalette");
  return palette;
}

} // namespace

TJPEGImage::TJPEGImage(std::span<const uint8_t> stream) : stream_(stream) {
  try {
    const JpegSize size = ReadJpegSize(stream_);
    width_ = size.width;
    height_ = size.height;
  } catch (const EJPEG&) {
    // A damaged stream is reported when the picture is drawn, inside the message loop; until
    // then it is a picture of no size.
  }
}

void TJPEGImage::Decode() {
  const JpegOutput output =
      displayBitsPerPixel <= 8 ? JpegOutput::Palette236 : JpegOutput::TrueColor;
  // Decoded straight into the bitmap's own pixels.
  DecodeJpegInto(stream_, output, [&](const ImageLayout& layout) {
    void* bits = nullptr;
    bitmap_ = CreateBitmap(layout, &bits);
    if (output == JpegOutput::Palette236)
      palette_ = CreatePalette(layout);
    return static_cast<uint8_t*>(bits);
  });
}

void TJPEGImage::Draw(HDC dc, int x, int y) {
  // A picture that cannot be decoded is reported once; it is not decoded again at every paint.
  if (failed_)
    return;
  if (!bitmap_) {
    try {
      Decode();
    } catch (...) {
      failed_ = true;
      bitmap_.reset();
      palette_.reset();
      throw;
    }
  }
  const HPALETTE previous = palette_ ? SelectPalette(dc, palette_.get(), FALSE) : nullptr;
  if (palette_)
    RealizePalette(dc);
  UniqueMemoryDC memory(CreateCompatibleDC(dc));
  SelectedObject selected(memory.get(), bitmap_.get());
  BitBlt(dc, x, y, width_, height_, memory.get(), 0, 0, SRCCOPY);
  if (previous)
    SelectPalette(dc, previous, FALSE);
}
