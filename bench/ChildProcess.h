#pragma once
// A program started by the benchmark: waited for until its window is painted, then closed.

#include "framework/Handles.h"

#include <string>

using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;

struct BenchFailure {
  std::wstring message;
};

bool RunningUnderWine();

class ChildProcess {
public:
  // Throws BenchFailure when the program cannot be started.
  explicit ChildProcess(const std::wstring& path);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // A program still running here failed a round: it is ended so that the next rounds start clean.
  ~ChildProcess();

  // Throws BenchFailure when the program ends or shows nothing painted within the time.
  HWND WaitForPaintedWindow(DWORD timeoutMs) const;
  // Throws BenchFailure when the program does not end within the time.
  void CloseAndWait(HWND window, DWORD timeoutMs);
  // User and kernel time used so far, in 100 ns units.
  ULONGLONG CpuTime() const;

private:
  std::wstring name_;
  UniqueKernelHandle process_;
  UniqueKernelHandle thread_;
  DWORD processId_ = 0;
};
