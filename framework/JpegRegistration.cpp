// Registers the JPEG graphic class with the picture class during module initialisation, ahead of
// any form being built.

#include "JPEGImage.h"

namespace {

std::unique_ptr<TGraphic> NewJpegImage(std::span<const uint8_t> stream) {
  return std::make_unique<TJPEGImage>(stream);
}

const bool registered = [] {
  TPicture::RegisterFileFormat(L"jpeg", L"JPEG Image File", L"TJPEGImage", NewJpegImage);
  TPicture::RegisterFileFormat(L"jpg", L"JPEG Image File", L"TJPEGImage", NewJpegImage);
  return true;
}();

} // namespace
