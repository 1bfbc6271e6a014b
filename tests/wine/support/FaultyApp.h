#pragma once
// The test-only program tests/wine/fixtures/faulty_app.cpp, whose form fails on demand.

#include "Program.h"

#include <windows.h>

#include <string>

std::wstring FaultyAppPath();
// Makes the form fail while handling a message (in "message" mode).
inline constexpr UINT kFailMessage = WM_APP + 1;

// Makes the form fail once and expects one message box about it, captioned with the application's
// title; presses its OK button.
void ExpectOneErrorBox(const Program& program, HWND form);
