#include "Exception.h"

#include <cxxabi.h>
#include <memory>
#include <new>
#include <typeinfo>

Exception::Exception(std::wstring message)
    : message_(std::move(message)), address_(__builtin_return_address(0)) {}

namespace {

std::wstring Widen(const char* text) {
  // Class names and std::exception texts from the runtime are ASCII.
  std::wstring wide;
  for (; *text; ++text)
    wide.push_back(static_cast<unsigned char>(*text));
  return wide;
}

std::wstring DemangledName(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> name(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
  return Widen(status == 0 && name ? name.get() : type.name());
}

} // namespace

ErrorReport DescribeError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return {e.ClassName(), e.Message(), e.Address()};
  } catch (const std::exception& e) {
    return {DemangledName(typeid(e)), Widen(e.what()), nullptr};
  } catch (...) {
    return {L"unknown", L"Unknown error.", nullptr};
  }
}
