#pragma once
// Base of every window the framework owns: ties a C++ object to its HWND and keeps exceptions
// from crossing the window procedure, which is a Win32 callback frame.

#include <windows.h>

struct WindowClass {
  const wchar_t* name;
  HICON icon = nullptr;
  HBRUSH background = nullptr;
  UINT style = 0;
};

struct WindowParams {
  const wchar_t* text = L"";
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT bounds{};
  HWND parent = nullptr;
};

class TWindow {
public:
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  HWND Handle() const noexcept { return handle_; }
  // The framework's object for a window, or null for a window that is not ours.
  static TWindow* FromHandle(HWND window);

protected:
  TWindow() = default;
  virtual ~TWindow();

  // Creates a window of one of our own classes, registering the class on first use.
  void CreateOwnWindow(const WindowClass& windowClass, const WindowParams& params);
  // Creates a window of a system class (EDIT, BUTTON…) and subclasses it, so that screen readers
  // still see the system control with its real role.
  void CreateSystemWindow(const wchar_t* className, const WindowParams& params, int id);

  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK OwnClassProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT Dispatch(TWindow* self, UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND handle);

  HWND handle_ = nullptr;
  WNDPROC defaultProc_ = DefWindowProcW;
};
