#pragma once
// A JPEG picture. It keeps the JPEG stream and decodes it whole at its first drawing, into a
// bitmap it holds from then on: 24 bits per pixel, or on displays of 8 bits per pixel or fewer
// 8 bits with a palette of 236 colours.

#include "Handles.h"
#include "Picture.h"

class TJPEGImage : public TGraphic {
public:
  explicit TJPEGImage(std::span<const uint8_t> stream);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(HDC dc, int x, int y) override;

private:
  void Decode();

  std::span<const uint8_t> stream_; // the program's own resource data: it lives as long as we do
  int width_ = 0;
  int height_ = 0;
  UniqueBitmap bitmap_;
  UniquePalette palette_;
  bool failed_ = false;
};
