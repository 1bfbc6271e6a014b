#include "Application.h"

#include "ApplicationTitle.h"
#include "ExceptionSink.h"
#include "Form.h"
#include "WinError.h"

#include <cstdlib>

namespace {

std::string ModulePathAnsi() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring AnsiToWide(const std::string& text) {
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::wstring DefaultTitle() {
  const AnsiCharRules system{[](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; },
                             [](std::string text) {
                               CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
                               return text;
                             }};
  return AnsiToWide(ApplicationTitleFromPath(ModulePathAnsi(), system));
}

// The show state asked for by whoever started the process.
int StartupShowCommand() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  if (!(startup.dwFlags & STARTF_USESHOWWINDOW))
    return SW_SHOWNORMAL;
  switch (startup.wShowWindow) {
  case SW_SHOWMAXIMIZED:
  case SW_SHOWMINNOACTIVE:
    return startup.wShowWindow;
  default:
    return SW_SHOWNORMAL;
  }
}

bool running = false;
std::exception_ptr pendingError;

} // namespace

void ReportCallbackError(std::exception_ptr error) {
  if (running)
    Application->ShowException(error);
  else if (!pendingError)
    pendingError = error;
}

void RethrowCallbackError() {
  if (pendingError)
    std::rethrow_exception(std::exchange(pendingError, nullptr));
}

TApplication* const Application = [] {
  static TApplication application;
  return &application;
}();

TApplication::TApplication() : title_(DefaultTitle()) {
  const HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  // A zero-sized window that is never seen: it owns the taskbar button, which therefore shows
  // the application's title and icon rather than the caption of any form.
  CreateOwnWindow({L"TApplication", icon, nullptr},
                  {title_.c_str(),
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                   0,
                   {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                    GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2},
                   nullptr});
}

TApplication::~TApplication() = default;

void TApplication::Initialize() {}

void TApplication::AddForm(std::unique_ptr<TForm> form) {
  // An error raised in a window procedure while the form was built fails the build.
  RethrowCallbackError();
  if (!mainForm_)
    mainForm_ = form.get();
  forms_.push_back(std::move(form));
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::ShowMainForm() {
  const int show = StartupShowCommand();
  if (show == SW_SHOWMINNOACTIVE) {
    // Only the taskbar button shows; the form waits until the user restores the application.
    ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
    return;
  }
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  mainForm_->ShowFirst(show);
}

void TApplication::RestoreFromTaskbar() {
  mainForm_->ShowFirst(SW_SHOWNORMAL);
  SetForegroundWindow(mainForm_->Handle());
}

bool TApplication::PreTranslate(const MSG& msg) {
  return mainForm_->PreTranslateKey(msg);
}

void TApplication::Run() {
  running = true;
  ShowMainForm();
  MSG msg;
  for (;;) {
    const BOOL result = GetMessageW(&msg, nullptr, 0, 0);
    if (result == 0)
      break;
    if (result == -1)
      ThrowLastError(L"GetMessage");
    try {
      if (!PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    } catch (...) {
      ShowException(std::current_exception());
    }
  }
  running = false;
  forms_.clear();
  mainForm_ = nullptr;
}

void TApplication::ShowException(const std::exception_ptr& error) {
  const ErrorReport report = DescribeError(error);
  HWND owner = mainForm_ ? mainForm_->Handle() : Handle();
  MessageBoxW(owner, report.message.c_str(), title_.c_str(), MB_ICONERROR | MB_OK);
}

LRESULT TApplication::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CLOSE:
    // Close on the taskbar button's menu.
    if (mainForm_)
      mainForm_->Close();
    return 0;
  case WM_SYSCOMMAND:
    if ((wParam & 0xFFF0) == SC_RESTORE && IsIconic(Handle())) {
      const LRESULT result = DefaultHandler(message, wParam, lParam);
      RestoreFromTaskbar();
      return result;
    }
    break;
  case WM_SETFOCUS:
    // The taskbar button activates this never-seen window; the keyboard belongs to the form.
    if (mainForm_ && IsWindowVisible(mainForm_->Handle())) {
      SetFocus(mainForm_->Handle());
      return 0;
    }
    break;
  case WM_ENDSESSION:
    // Windows has confirmed the end of the session and may end the process as soon as this
    // returns: finish now, with the same clean-up as a normal end.
    if (wParam)
      std::exit(0);
    return 0;
  }
  return TWindow::WndProc(message, wParam, lParam);
}
