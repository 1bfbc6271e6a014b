#include "Picture.h"

#include <map>
#include <vector>

namespace {

// Function-local, so that registration works from any module's initialisation, whatever the
// order in which modules are initialised.
std::vector<TFileFormat>& Formats() {
  static std::vector<TFileFormat> formats;
  return formats;
}

std::map<std::wstring, TGraphicFactory>& Factories() {
  static std::map<std::wstring, TGraphicFactory> factories;
  return factories;
}

} // namespace

void TPicture::RegisterFileFormat(const wchar_t* extension, const wchar_t* description,
                                  const wchar_t* graphicClass, TGraphicFactory factory) {
  Formats().push_back({extension, description, graphicClass});
  Factories()[graphicClass] = std::move(factory);
}

std::span<const TFileFormat> TPicture::FileFormats() {
  return Formats();
}

void TPicture::Load(const std::wstring& graphicClass, std::span<const uint8_t> data) {
  const auto factory = Factories().find(graphicClass);
  graphic_ = factory == Factories().end() ? nullptr : factory->second(data);
}
