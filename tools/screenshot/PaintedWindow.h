#pragma once
// Tells when a program's first window is on screen and fully painted.

#include <windows.h>

// The process's first visible top-level window with a real size, or null. The zero-sized window
// that owns a program's taskbar button does not count.
HWND FindShownWindow(DWORD processId);

// True once the window's thread has handled everything queued for it and neither the window nor
// any of its descendants has anything left to paint.
bool IsPainted(HWND window, DWORD timeoutMs);
