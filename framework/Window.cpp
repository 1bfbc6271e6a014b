#include "Window.h"

#include "ExceptionSink.h"
#include "WinError.h"

namespace {

TWindow* Attached(HWND window) {
  return reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void RegisterOnce(const WindowClass& windowClass, WNDPROC proc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), windowClass.name, &existing))
    return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = windowClass.style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = windowClass.icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = windowClass.background;
  wc.lpszClassName = windowClass.name;
  if (!RegisterClassExW(&wc))
    ThrowLastError(L"RegisterClassEx");
}

// What a message returns when its handler failed: creation is refused, anything else is ignored.
LRESULT FailedResult(UINT message) {
  if (message == WM_NCCREATE)
    return FALSE;
  if (message == WM_CREATE)
    return -1;
  return 0;
}

} // namespace

TWindow* TWindow::FromHandle(HWND window) {
  // Only windows of this process carry our objects.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId())
    return nullptr;
  return Attached(window);
}

TWindow::~TWindow() {
  if (!handle_)
    return;
  // Detach first: the messages sent while the window is destroyed must not reach a half-destroyed
  // object.
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  if (defaultProc_ != DefWindowProcW)
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defaultProc_));
  DestroyWindow(handle_);
}

void TWindow::Attach(HWND handle) {
  handle_ = handle;
  SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TWindow::CreateOwnWindow(const WindowClass& windowClass, const WindowParams& params) {
  RegisterOnce(windowClass, OwnClassProc);
  const RECT& r = params.bounds;
  HWND handle = CreateWindowExW(params.exStyle, windowClass.name, params.text, params.style, r.left,
                                r.top, r.right - r.left, r.bottom - r.top, params.parent, nullptr,
                                GetModuleHandleW(nullptr), this);
  RethrowCallbackError();
  if (!handle)
    ThrowLastError(L"CreateWindowEx");
}

void TWindow::CreateSystemWindow(const wchar_t* className, const WindowParams& params, int id) {
  const RECT& r = params.bounds;
  HWND handle = CreateWindowExW(params.exStyle, className, params.text, params.style, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, params.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  if (!handle)
    ThrowLastError(L"CreateWindowEx");
  Attach(handle);
  defaultProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

LRESULT TWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWindow::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(defaultProc_, handle_, message, wParam, lParam);
}

LRESULT TWindow::Dispatch(TWindow* self, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return self->WndProc(message, wParam, lParam);
  } catch (...) {
    ReportCallbackError(std::current_exception());
    return FailedResult(message);
  }
}

LRESULT CALLBACK TWindow::OwnClassProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    static_cast<TWindow*>(create->lpCreateParams)->Attach(handle);
  }
  TWindow* self = Attached(handle);
  if (!self)
    return DefWindowProcW(handle, message, wParam, lParam);
  return Dispatch(self, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::SubclassProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  // Subclassing is undone before the object goes away, so the object is always there.
  return Dispatch(Attached(handle), message, wParam, lParam);
}
