#include "Panel.h"

#include "Form.h"
#include "Handles.h"
#include "Image.h"

namespace {

POINT PointFrom(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

TPanel::TPanel(const TControlDescription& d, TWinControl* parent)
    : TWinControl(d, parent), caption_(d.caption) {
  // CS_DBLCLKS: the second press of a double click arrives as a double click, which raises no
  // click of its own.
  static const WindowClass kPanelClass{.name = L"TPanel",
                                       .style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW};
  CreateOwnWindow(kPanelClass, ChildParams(0));
}

bool TPanel::FaceCovered() const {
  for (const TControl* child : Children()) {
    const auto* image = dynamic_cast<const TImage*>(child);
    if (image && image->CoversControl())
      return true;
  }
  return false;
}

void TPanel::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (!FaceCovered()) {
    SelectedObject font(dc, Form()->Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, caption_.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  PaintWindowlessChildren(dc);
}

void TPanel::MouseDown(POINT at) {
  pressed_ = WindowlessChildAt(at);
  if (pressed_)
    SetCapture(Handle());
}

void TPanel::MouseUp(POINT at) {
  TControl* pressed = std::exchange(pressed_, nullptr);
  if (GetCapture() == Handle())
    ReleaseCapture();
  // A press counts as a click only when it is released over the same control.
  if (pressed && WindowlessChildAt(at) == pressed)
    pressed->Click();
}

bool TPanel::SetPointer(LPARAM hitTest) {
  if (LOWORD(hitTest) != HTCLIENT)
    return false;
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(Handle(), &at);
  const TControl* child = WindowlessChildAt(at);
  const HCURSOR pointer = child && child->Cursor() ? child->Cursor() : Cursor();
  SetCursor(pointer ? pointer : LoadCursorW(nullptr, IDC_ARROW));
  return true;
}

LRESULT TPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PaintScope paint(Handle());
    Paint(paint.dc());
    return 0;
  }
  case WM_PRINTCLIENT:
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
  case WM_ERASEBKGND:
    return 1; // painted whole in WM_PAINT
  case WM_LBUTTONDOWN:
    MouseDown(PointFrom(lParam));
    return 0;
  case WM_LBUTTONUP:
    MouseUp(PointFrom(lParam));
    return 0;
  case WM_CAPTURECHANGED:
    pressed_ = nullptr;
    return 0;
  case WM_SETCURSOR:
    if (reinterpret_cast<HWND>(wParam) == Handle() && SetPointer(lParam))
      return TRUE;
    break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
