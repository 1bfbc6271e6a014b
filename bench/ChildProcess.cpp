#include "ChildProcess.h"

#include "PaintedWindow.h"

#include <tlhelp32.h>

namespace {

ULONGLONG Ticks(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

ULONGLONG ProcessTimes(HANDLE process) {
  FILETIME created{}, ended{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user))
    return 0;
  return Ticks(kernel) + Ticks(user);
}

ULONGLONG ThreadTimes(DWORD threadId) {
  UniqueKernelHandle thread(OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, threadId));
  FILETIME created{}, ended{}, kernel{}, user{};
  if (!thread || !GetThreadTimes(thread.get(), &created, &ended, &kernel, &user))
    return 0;
  return Ticks(kernel) + Ticks(user);
}

ULONGLONG SumOfThreadTimes(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return 0;
  UniqueKernelHandle owned(snapshot);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  ULONGLONG total = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == processId)
      total += ThreadTimes(entry.th32ThreadID);
  return total;
}

} // namespace

ChildProcess::ChildProcess(const std::wstring& path) : name_(path) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started))
    throw BenchFailure{L"cannot start " + path + L" (error " + std::to_wstring(GetLastError()) +
                       L")"};
  process_.reset(started.hProcess);
  thread_.reset(started.hThread);
  processId_ = started.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND ChildProcess::WaitForPaintedWindow(DWORD timeoutMs) const {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  // Polled every millisecond or so: a coarser step would show up in the figures.
  while (WaitForSingleObject(process_.get(), 1) == WAIT_TIMEOUT) {
    HWND window = FindShownWindow(processId_);
    if (window && IsPainted(window, timeoutMs))
      return window;
    if (GetTickCount64() > deadline)
      throw BenchFailure{name_ + L" showed no painted window in time"};
  }
  throw BenchFailure{name_ + L" ended before showing a painted window"};
}

void ChildProcess::CloseAndWait(HWND window, DWORD timeoutMs) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0)
    throw BenchFailure{name_ + L" did not end after WM_CLOSE"};
}

bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

ULONGLONG ChildProcess::CpuTime() const {
  // Wine answers GetProcessTimes for another process with the caller's own times; its thread
  // times are the real ones.
  return RunningUnderWine() ? SumOfThreadTimes(processId_) : ProcessTimes(process_.get());
}
