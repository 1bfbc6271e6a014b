#pragma once
// The program's error type: a message for the user, the name of the error's class, and the code
// address that raised it (for the last-chance report).

#include <exception>
#include <string>

class Exception : public std::exception {
public:
  // Records the caller's address, which is the code that raised the error.
  [[gnu::noinline]] explicit Exception(std::wstring message);

  const std::wstring& Message() const noexcept { return message_; }
  const void* Address() const noexcept { return address_; }
  virtual const wchar_t* ClassName() const noexcept { return L"Exception"; }
  const char* what() const noexcept override { return "Exception"; }

private:
  std::wstring message_;
  const void* address_;
};

// What a report of any caught error needs, whatever its type.
struct ErrorReport {
  std::wstring className;
  std::wstring message;
  const void* address = nullptr;
};

ErrorReport DescribeError(std::exception_ptr error);
