#include "Screen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_set>

size_t Capture::DistinctColours() const {
  return std::unordered_set<uint32_t>(pixels.begin(), pixels.end()).size();
}

Capture CaptureScreen(const RECT& area) {
  Capture capture;
  capture.width = area.right - area.left;
  capture.height = area.bottom - area.top;
  capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < capture.pixels.size(); ++i)
    capture.pixels[i] = source[i] & 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

void SaveBitmap(const Capture& capture, const std::wstring& path) {
  const int rowBytes = (capture.width * 3 + 3) & ~3;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = capture.width;
  header.biHeight = -capture.height; // rows from the top, as captured
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(rowBytes * capture.height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42; // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::vector<char> bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &header, sizeof header);
  for (int y = 0; y < capture.height; ++y) {
    char* row = bytes.data() + file.bfOffBits + static_cast<size_t>(y) * rowBytes;
    for (int x = 0; x < capture.width; ++x) {
      const uint32_t colour = capture.At(x, y);
      row[3 * x] = static_cast<char>(colour & 0xFF);
      row[3 * x + 1] = static_cast<char>((colour >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<char>((colour >> 16) & 0xFF);
    }
  }
  std::ofstream out{std::filesystem::path(path), std::ios::binary};
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out.good()) << "cannot write " << testing::PrintToString(path);
}

uint32_t SystemColour(int index) {
  const COLORREF colour = GetSysColor(index);
  return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

void WaitUntilPainted(const Program& program, HWND window) {
  for (int i = 0; i < 100 && GetUpdateRect(window, nullptr, FALSE); ++i)
    Sleep(20);
  program.Sync(window);
}

HWND BannerPanel(const Program& program) {
  HWND panel = FindWindowExW(program.NoticeWindow(), nullptr, L"TPanel", nullptr);
  EXPECT_NE(panel, nullptr);
  return panel;
}
