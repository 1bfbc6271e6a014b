#include "Control.h"

#include "Form.h"

namespace {

HCURSOR SystemCursor(TCursor cursor) {
  switch (cursor) {
  case TCursor::crHandPoint:
    return LoadCursorW(nullptr, IDC_HAND);
  case TCursor::crDefault:
    break;
  }
  return nullptr;
}

} // namespace

TControl::TControl(const TControlDescription& d, TWinControl* parent)
    : name_(d.name), parent_(parent), bounds_{d.left, d.top, d.left + d.width, d.top + d.height},
      align_(d.align), cursor_(d.cursor) {}

HCURSOR TControl::Cursor() const noexcept {
  return SystemCursor(cursor_);
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
}

TWinControl::TWinControl(const TControlDescription& d, TWinControl* parent)
    : TControl(d, parent), tabOrder_(d.tabOrder) {}

TWinControl* ControlFromHandle(HWND window) {
  return dynamic_cast<TWinControl*>(TWindow::FromHandle(window));
}

WindowParams TWinControl::ChildParams(DWORD style, DWORD exStyle) const {
  return {L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, exStyle, BoundsRect(),
          Parent()->Handle()};
}

TForm* TWinControl::Form() {
  return Parent()->Form();
}

LRESULT TWinControl::Notification(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(Handle(), message, wParam, lParam);
}

TControl* TWinControl::WindowlessChildAt(POINT point) const {
  for (TControl* child : windowlessChildren_) {
    if (PtInRect(&child->BoundsRect(), point))
      return child;
  }
  return nullptr;
}

void TWinControl::PaintWindowlessChildren(HDC dc) {
  for (TControl* child : windowlessChildren_)
    child->PaintInto(dc);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SETFOCUS:
    Form()->ControlFocused(this);
    break;
  case WM_COMMAND:
  case WM_DRAWITEM:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORBTN:
    // Route a child's notification back to the child's own object.
    if (HWND child = message == WM_DRAWITEM
                         ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem
                         : reinterpret_cast<HWND>(lParam)) {
      if (TWinControl* control = ControlFromHandle(child))
        return control->Notification(message, wParam, lParam);
    }
    break;
  }
  return TWindow::WndProc(message, wParam, lParam);
}
