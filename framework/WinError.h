#pragma once

#include "Exception.h"

class EOSError : public Exception {
public:
  using Exception::Exception;
  const wchar_t* ClassName() const noexcept override { return L"EOSError"; }
};

// Raises EOSError with the system's text for GetLastError(), naming the call that failed.
[[noreturn]] void ThrowLastError(const wchar_t* call);
