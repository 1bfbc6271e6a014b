#include "Image.h"

#include "Handles.h"
#include "WinError.h"

namespace {

std::span<const uint8_t> ResourceData(const wchar_t* name) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, name, RT_RCDATA);
  if (!found)
    ThrowLastError(L"FindResource");
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
  return {data, SizeofResource(module, found)};
}

} // namespace

TImage::TImage(const TControlDescription& d, TWinControl* parent) : TControl(d, parent) {
  if (d.picture.graphicClass)
    picture_.Load(d.picture.graphicClass, ResourceData(d.picture.resource));
  WorkOutCovering();
}

void TImage::WorkOutCovering() {
  const TGraphic* graphic = picture_.Graphic();
  const RECT& r = BoundsRect();
  covers_ = graphic && !graphic->Transparent() && graphic->Width() >= r.right - r.left &&
            graphic->Height() >= r.bottom - r.top;
}

void TImage::PaintInto(HDC dc) {
  TGraphic* graphic = picture_.Graphic();
  if (!graphic)
    return;
  if (!drawn_) {
    // Worked out once more at the first drawing, with the size the control has by then.
    drawn_ = true;
    WorkOutCovering();
  }
  const RECT& r = BoundsRect();
  SavedDC saved(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  graphic->Draw(dc, r.left, r.top);
}
