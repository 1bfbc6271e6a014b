#include "PaintedWindow.h"

namespace {

struct Search {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK MatchShownWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  if (owner == search->processId && IsWindowVisible(window) && bounds.right > bounds.left &&
      bounds.bottom > bounds.top) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Returns from SendMessageTimeout only once the thread has also handled what was sent ahead.
bool ThreadHasCaughtUp(HWND window, DWORD timeoutMs) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, timeoutMs, &ignored) != 0;
}

struct ChildCheck {
  DWORD parentThread;
  DWORD timeoutMs;
  bool painted = true;
};

BOOL CALLBACK CheckChildPainted(HWND child, LPARAM param) {
  auto* check = reinterpret_cast<ChildCheck*>(param);
  // A child run by another thread is only known to be up to date once that thread caught up too.
  if (GetWindowThreadProcessId(child, nullptr) != check->parentThread &&
      !ThreadHasCaughtUp(child, check->timeoutMs))
    check->painted = false;
  else if (GetUpdateRect(child, nullptr, FALSE))
    check->painted = false;
  return check->painted;
}

} // namespace

HWND FindShownWindow(DWORD processId) {
  Search search{processId};
  EnumWindows(MatchShownWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsPainted(HWND window, DWORD timeoutMs) {
  if (!ThreadHasCaughtUp(window, timeoutMs) || GetUpdateRect(window, nullptr, FALSE))
    return false;
  ChildCheck check{GetWindowThreadProcessId(window, nullptr), timeoutMs};
  EnumChildWindows(window, CheckChildPainted, reinterpret_cast<LPARAM>(&check));
  return check.painted;
}
