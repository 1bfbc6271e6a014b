#pragma once
// A picture and the graphic classes that can hold one. Graphic classes register themselves with
// TPicture during module initialisation; a stored picture whose class is not registered is
// dropped without an error.

#include "Object.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

class TGraphic : public TObject {
public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Transparent() const { return false; }
  virtual void Draw(HDC dc, int x, int y) = 0;
};

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>(std::span<const uint8_t> data)>;

struct TFileFormat {
  std::wstring extension;
  std::wstring description;
  std::wstring graphicClass;
};

class TPicture : public TObject {
public:
  static void RegisterFileFormat(const wchar_t* extension, const wchar_t* description,
                                 const wchar_t* graphicClass, TGraphicFactory factory);
  static std::span<const TFileFormat> FileFormats();

  // Reads a stored picture: its graphic class by name, and the class's own data.
  void Load(const std::wstring& graphicClass, std::span<const uint8_t> data);
  TGraphic* Graphic() const noexcept { return graphic_.get(); }

private:
  std::unique_ptr<TGraphic> graphic_;
};
