#pragma once
// What the screen shows: the pixels of a rectangle, captured as the user would see them.

#include "Program.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels; // 0x00RRGGBB, rows from the top

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  size_t DistinctColours() const;
};

// `area` in screen coordinates.
Capture CaptureScreen(const RECT& area);
// Writes a capture as a 24-bit BMP file, for a person to look at.
void SaveBitmap(const Capture& capture, const std::wstring& path);
// A system colour as Capture stores colours.
uint32_t SystemColour(int index);

// Waits until `window` has nothing left to paint.
void WaitUntilPainted(const Program& program, HWND window);
// The notice window's banner panel.
HWND BannerPanel(const Program& program);
