#include "Program.h"

#include <gtest/gtest.h>

std::wstring OmbreloPath() {
  return OMBRELO_EXE;
}

Program::Program(Launch launch) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (launch.showCommand) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *launch.showCommand;
  }
  std::wstring commandLine = L"\"" + launch.path + L"\" " + launch.arguments;
  if (!CreateProcessW(launch.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_))
    ADD_FAILURE() << "cannot start the program, error " << GetLastError();
}

Program::~Program() {
  if (!process_.hProcess)
    return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 255);
    WaitForSingleObject(process_.hProcess, kPatienceMs);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  bool visibleOnly;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && ClassName(window) == search->className &&
      (!search->visibleOnly || IsWindowVisible(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly) {
  WindowSearch search{processId, className, visibleOnly};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly, DWORD patience) {
  for (DWORD waited = 0; waited <= patience; waited += 20) {
    if (HWND window = FindWindowOf(processId, className, visibleOnly))
      return window;
    Sleep(20);
  }
  return nullptr;
}

} // namespace

HWND Program::WaitForWindow(const wchar_t* className, bool visibleOnly) const {
  HWND window = WaitForWindowOf(Id(), className, visibleOnly, kPatienceMs);
  EXPECT_NE(window, nullptr) << "no window of class " << testing::PrintToString(className);
  if (window)
    Sync(window);
  return window;
}

HWND Program::FindShownWindow(const wchar_t* className, DWORD patienceMs) const {
  return WaitForWindowOf(Id(), className, true, patienceMs);
}

std::set<HWND> Program::ShownWindows() const {
  std::pair<DWORD, std::set<HWND>> search{Id(), {}};
  EnumWindows(
      [](HWND window, LPARAM param) {
        auto& [processId, shown] = *reinterpret_cast<decltype(search)*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
          shown.insert(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void Program::Sync(HWND window) const {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, kPatienceMs, &ignored);
}

std::optional<DWORD> Program::WaitForExit(DWORD patienceMs) const {
  if (WaitForSingleObject(process_.hProcess, patienceMs) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256]{};
  GetClassNameW(window, name, 256);
  return name;
}

RECT WindowBounds(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return bounds;
}

void ResizeClientTo(HWND window, SIZE client) {
  const RECT outer = WindowBounds(window);
  RECT now{};
  GetClientRect(window, &now);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const int frameWidth = outer.right - outer.left - now.right -
                         (style & WS_VSCROLL ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  const int frameHeight = outer.bottom - outer.top - now.bottom -
                          (style & WS_HSCROLL ? GetSystemMetrics(SM_CYHSCROLL) : 0);
  SetWindowPos(window, nullptr, 0, 0, client.cx + frameWidth, client.cy + frameHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MessageBoxSeen WaitForMessageBox(const Program& program) {
  MessageBoxSeen seen;
  seen.box = program.FindShownWindow(L"#32770", kPatienceMs);
  if (!seen.box) {
    ADD_FAILURE() << "no message box appeared";
    return seen;
  }
  seen.caption = WindowText(seen.box);
  // The message text is the box's static control with the id 0xFFFF.
  seen.text = WindowText(GetDlgItem(seen.box, 0xFFFF));
  seen.hasOk = GetDlgItem(seen.box, IDOK) != nullptr;
  seen.hasCancel = GetDlgItem(seen.box, IDCANCEL) != nullptr;
  return seen;
}

void PressOk(const MessageBoxSeen& box) {
  PostMessageW(box.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.box, IDOK)));
  for (DWORD waited = 0; IsWindow(box.box) && waited < kPatienceMs; waited += 20)
    Sleep(20);
  EXPECT_FALSE(IsWindow(box.box)) << "the message box stays after OK";
}

bool ShowsMessageBox(const Program& program, DWORD patienceMs) {
  return program.FindShownWindow(L"#32770", patienceMs) != nullptr;
}
