#pragma once
// A program under test, started as its own process, and the windows it shows.

#include "framework/Win32Helpers.h"

#include <windows.h>

#include <optional>
#include <set>
#include <string>

inline constexpr DWORD kPatienceMs = 10000;

// The built notice program.
std::wstring OmbreloPath();

// How to start a program under test.
struct Launch {
  std::wstring path = OmbreloPath();
  // The show state handed over in the start-up information, if any.
  std::optional<WORD> showCommand;
  std::wstring arguments;

  Launch& Path(std::wstring value) { return path = std::move(value), *this; }
  Launch& Show(std::optional<WORD> value) { return showCommand = value, *this; }
  Launch& Arguments(std::wstring value) { return arguments = std::move(value), *this; }
};

class Program {
public:
  explicit Program(Launch launch = {});
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  DWORD Id() const { return process_.dwProcessId; }
  HANDLE Process() const { return process_.hProcess; }
  // The first top-level window of the given class that the program shows (or owns, with
  // `visibleOnly` false). Fails the test when none comes.
  HWND WaitForWindow(const wchar_t* className, bool visibleOnly = true) const;
  HWND NoticeWindow() const { return WaitForWindow(L"TForm1"); }
  // A shown window of the given class, or null if none comes within `patienceMs`.
  HWND FindShownWindow(const wchar_t* className, DWORD patienceMs) const;
  // The top-level windows the program shows now.
  std::set<HWND> ShownWindows() const;
  // Waits for the program to have handled everything queued for `window` so far.
  void Sync(HWND window) const;
  // The exit code, or nothing if the program is still running after `patienceMs`.
  std::optional<DWORD> WaitForExit(DWORD patienceMs = kPatienceMs) const;

private:
  PROCESS_INFORMATION process_{};
};

std::wstring ClassName(HWND window);
RECT WindowBounds(HWND window);
// Resizes a window, where it is, so that its client area without scroll bars is `client`.
void ResizeClientTo(HWND window, SIZE client);

// A message box shown by the program: its caption, its text, and its buttons.
struct MessageBoxSeen {
  HWND box = nullptr;
  std::wstring caption;
  std::wstring text;
  bool hasOk = false;
  bool hasCancel = false;
};
MessageBoxSeen WaitForMessageBox(const Program& program);
// Presses the box's OK button and waits for the box to go.
void PressOk(const MessageBoxSeen& box);
// True if the program shows a message box within `patienceMs`.
bool ShowsMessageBox(const Program& program, DWORD patienceMs);
