// Starts a program, waits until its first window is shown and painted, saves the screen as a BMP
// file, closes the window and returns the program's exit code. The run script uses it to show
// the program without a display of its own.
//
//   screenshot.exe OUTPUT.bmp PROGRAM.exe

#include "PaintedWindow.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 30000;

HWND WaitForPaintedWindow(const PROCESS_INFORMATION& process) {
  for (DWORD waited = 0; waited < kTimeoutMs; waited += 50) {
    if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
      return nullptr;
    HWND window = FindShownWindow(process.dwProcessId);
    if (window && IsPainted(window, kTimeoutMs))
      return window;
  }
  return nullptr;
}

bool SaveScreen(const wchar_t* path) {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
  GdiFlush();
  const DWORD imageSize = ((width * 3 + 3) & ~3) * height;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + imageSize;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(static_cast<const char*>(bits), imageSize);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return out.good();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: screenshot OUTPUT.bmp PROGRAM.exe\n", stderr);
    return 2;
  }
  std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[2], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
    return 2;
  }
  HWND window = WaitForPaintedWindow(process);
  const bool saved = window && SaveScreen(argv[1]);
  if (window)
    PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, kTimeoutMs);
  DWORD exitCode = 2;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!saved) {
    std::fputs("the program showed no window to capture\n", stderr);
    return 2;
  }
  return static_cast<int>(exitCode);
}
