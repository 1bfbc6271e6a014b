#include "LastChance.h"

#include "Exception.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

std::wstring ModuleFileName() {
  wchar_t path[MAX_PATH]{};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const wchar_t* name = std::wcsrchr(path, L'\\');
  return name ? name + 1 : path;
}

std::wstring HexAddress(const void* address) {
  wchar_t text[2 * sizeof(void*) + 1];
  std::swprintf(text, std::size(text), L"%0*llX", static_cast<int>(2 * sizeof(void*)),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address)));
  return text;
}

void ShowApplicationError(const ErrorReport& report) {
  const std::wstring text = L"Exception " + report.className + L" in module " + ModuleFileName() +
                            L" at " + HexAddress(report.address) + L".\n" + report.message;
  MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_ICONERROR | MB_OK | MB_TASKMODAL);
}

} // namespace

int RunWithLastChanceHandler(void (*entrySequence)()) {
  try {
    entrySequence();
    return 0;
  } catch (...) {
    ShowApplicationError(DescribeError(std::current_exception()));
    return 1;
  }
}
