#include "WinError.h"

#include <windows.h>

#include <string>

void ThrowLastError(const wchar_t* call) {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = std::wstring(call) + L" failed (" + std::to_wstring(code) + L")";
  if (length) {
    message += L": ";
    message.append(text, length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
      message.pop_back();
  }
  throw EOSError(message);
}
