#pragma once
// Small questions asked of Windows in several places.

#include <windows.h>

#include <string>

// True while the key is held, as of the input message being handled.
inline bool KeyDown(int key) {
  return GetKeyState(key) < 0;
}

inline std::wstring WindowText(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}
