#pragma once
// Points, sizes and rectangles in pixels, for the window-free rules.

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const noexcept { return left + width; }
  int Bottom() const noexcept { return top + height; }
  friend bool operator==(const TRect&, const TRect&) = default;
};
