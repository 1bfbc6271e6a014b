#include "FaultyApp.h"

#include <gtest/gtest.h>

#include <algorithm>

std::wstring FaultyAppPath() {
  return FAULTY_APP_EXE;
}

void ExpectOneErrorBox(const Program& program, HWND form) {
  PostMessageW(form, kFailMessage, 0, 0);
  const MessageBoxSeen box = WaitForMessageBox(program);
  // The application's title, not the form's caption.
  EXPECT_EQ(box.caption, L"faulty_app");
  EXPECT_EQ(box.text, L"Handling the message failed.");
  EXPECT_TRUE(box.hasOk);
  EXPECT_FALSE(box.hasCancel);
  const std::set<HWND> shown = program.ShownWindows();
  EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                          [](HWND window) { return ClassName(window) == L"#32770"; }),
            1);
  PressOk(box);
}
