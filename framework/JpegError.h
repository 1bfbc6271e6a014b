#pragma once

#include "Exception.h"

#include <string>

// A libjpeg error; the message names libjpeg's message code.
class EJPEG : public Exception {
public:
  explicit EJPEG(int code) : Exception(L"JPEG error #" + std::to_wstring(code)) {}

  const wchar_t* ClassName() const noexcept override { return L"EJPEG"; }
};
