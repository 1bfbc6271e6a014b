#include "Input.h"

#include <gtest/gtest.h>

#include <cctype>

void SendInputs(std::vector<INPUT> inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  ASSERT_EQ(sent, inputs.size()) << "SendInput failed, error " << GetLastError();
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  switch (key) {
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN:
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    break;
  }
  return input;
}

void Press(WORD key, std::vector<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers)
    inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
    inputs.push_back(KeyInput(*modifier, true));
  SendInputs(inputs);
}

void Type(const char* keys) {
  for (const char* key = keys; *key; ++key)
    Press(static_cast<WORD>(std::toupper(static_cast<unsigned char>(*key))));
}

INPUT MouseInput(POINT at, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  // The middle of the pixel in the 0..65535 scale of the screen.
  input.mi.dx = MulDiv(at.x, 65536, width) + 65536 / width / 2;
  input.mi.dy = MulDiv(at.y, 65536, height) + 65536 / height / 2;
  return input;
}

// Under Wine's virtual desktop an injected move also moves the X pointer, and a motion event left
// over from an earlier move can still carry the pointer back there; the move is made again then.
void MoveMouseTo(POINT at) {
  POINT now{};
  const auto there = [&] {
    GetCursorPos(&now);
    return now.x == at.x && now.y == at.y;
  };
  for (int attempt = 0; attempt < 5; ++attempt) {
    SendInputs({MouseInput(at)});
    if (WaitUntil(there) && !WaitUntil([&] { return !there(); }, kPointerSettleMs))
      return;
  }
  FAIL() << "the pointer is at " << now.x << "," << now.y << ", not " << at.x << "," << at.y;
}

POINT Centre(const RECT& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
