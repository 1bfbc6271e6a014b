#pragma once
// A freshly started notice program in the foreground, its controls, and the browser log it
// reports to: the fixture of the tests that work the notice window with real input.

#include "BrowserLog.h"
#include "Program.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

enum class Control { Text, Button, Panel };
void PrintTo(Control c, std::ostream* out);

// WM_GETTEXT, not GetWindowText: another process's edit control keeps its text itself.
std::wstring TextOf(HWND control);

class NoticeControls : public testing::Test {
protected:
  explicit NoticeControls(Launch launch = {});

  void SetUp() override;

  HWND Of(Control control) const;
  HWND Focused() const;
  // Waits for the focus to be on `control`; the class of wherever it is otherwise.
  testing::AssertionResult FocusComesTo(HWND control) const;
  // Moves the focus to `control` with the keyboard, the way a user gets there.
  void FocusOn(Control control);
  // Input is handled in order: once an arrow key's focus move shows, what came before it has been
  // handled. From the button Right goes to the panel, from the panel Left to the button; from any
  // other control these keys lead elsewhere, so the move also shows where the focus was.
  void ExpectFocusStillOn(Control control);
  testing::AssertionResult TextBecomes(const std::wstring& expected) const;
  // Expects `count` requests to open the website, and no more.
  void ExpectLaunches(size_t count);
  // The program runs on, its window shown where it was, at its size and enabled.
  void ExpectStillOpen() const;

  BrowserLog log_; // ahead of the program, which inherits its file name
  Program program_;
  HWND notice_ = nullptr;
  HWND text_ = nullptr;
  HWND button_ = nullptr;
  HWND panel_ = nullptr;
  DWORD thread_ = 0;
  RECT bounds_{};
};
