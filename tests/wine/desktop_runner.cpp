// Runs a program on a named Wine virtual desktop and ends with the program's exit code. The
// desktop's size is set in the Wine prefix (HKCU\Software\Wine\Explorer\Desktops); the programs
// that the program under test starts share its desktop.
//
//   desktop_runner.exe DESKTOP PROGRAM [ARGUMENTS…]

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Quoted(const wchar_t* argument) {
  std::wstring quoted = L"\"";
  for (const wchar_t* c = argument; *c; ++c) {
    if (*c == L'"')
      quoted += L'\\';
    quoted += *c;
  }
  return quoted + L"\"";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: desktop_runner DESKTOP PROGRAM [ARGUMENTS...]\n", stderr);
    return 127;
  }
  std::wstring desktop = argv[1];
  std::wstring commandLine;
  for (int i = 2; i < argc; ++i)
    commandLine += (i > 2 ? L" " : L"") + Quoted(argv[i]);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.lpDesktop = desktop.data();
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", argv[2], GetLastError());
    return 127;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 127;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}
