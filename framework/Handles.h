#pragma once
// Move-only owners for the Win32 handles the framework creates, so that ownership is in the type.

#include <windows.h>

#include <utility>

template <typename Handle, auto Release> class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  void reset(Handle handle = nullptr) noexcept {
    if (handle_)
      Release(handle_);
    handle_ = handle;
  }

private:
  Handle handle_ = nullptr;
};

using UniqueFont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &DeleteObject>;
using UniquePalette = UniqueHandle<HPALETTE, &DeleteObject>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueMemoryDC = UniqueHandle<HDC, &DeleteDC>;

// A window's device context for the length of a scope; DCX_WINDOW for the whole window, frame
// included.
class WindowDC {
public:
  explicit WindowDC(HWND window, DWORD flags = DCX_CACHE) noexcept
      : window_(window), dc_(GetDCEx(window, nullptr, flags | DCX_CACHE)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_)
      ReleaseDC(window_, dc_);
  }
  HDC get() const noexcept { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// BeginPaint/EndPaint as a pair; EndPaint also runs when painting throws, so that the window is
// validated and does not ask to be painted again at once.
class PaintScope {
public:
  explicit PaintScope(HWND window) noexcept : window_(window) { BeginPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC dc() const noexcept { return paint_.hdc; }
  const RECT& area() const noexcept { return paint_.rcPaint; }

private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// SelectObject undone at the end of a scope.
class SelectedObject {
public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, previous_); }

private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The device context's state (clipping, selected objects, palette) put back at the end of a scope.
class SavedDC {
public:
  explicit SavedDC(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;
  ~SavedDC() { RestoreDC(dc_, saved_); }

private:
  HDC dc_;
  int saved_;
};
