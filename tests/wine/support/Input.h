#pragma once
// Real input to the foreground window (SendInput), as a user's keyboard and mouse give it, and
// waiting for what it does.

#include "Program.h"

#include <windows.h>

#include <vector>

template <typename Condition> bool WaitUntil(Condition condition, DWORD patienceMs = kPatienceMs) {
  for (DWORD waited = 0;; waited += 10) {
    if (condition())
      return true;
    if (waited >= patienceMs)
      return false;
    Sleep(10);
  }
}

void SendInputs(std::vector<INPUT> inputs);
INPUT KeyInput(WORD key, bool up);
// Presses and releases `key` while holding the modifier keys.
void Press(WORD key, std::vector<WORD> modifiers = {});
// Types letters and digits as key presses, without Shift: letters come out in lower case.
void Type(const char* keys);

// A mouse event at a screen point: every event says where it happens, as a real mouse's does.
INPUT MouseInput(POINT at, DWORD buttons = 0);
// Moves the pointer to a screen point and waits for it to stay there.
void MoveMouseTo(POINT at);
// How long the pointer must stay where it was moved to.
inline constexpr DWORD kPointerSettleMs = 200;

POINT Centre(const RECT& r);
