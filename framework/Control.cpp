#include "Control.h"

#include "Form.h"
#include "Scaling.h"

#include <algorithm>
#include <utility>

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

bool IsWindowless(const TControl* control) {
  return dynamic_cast<const TWinControl*>(control) == nullptr;
}

RECT AsRECT(const TRect& r) {
  return {r.left, r.top, r.Right(), r.Bottom()};
}

} // namespace

TControl::TControl(const TControlDescription& d, TWinControl* parent)
    : name_(d.name), parent_(parent), stored_{d.left, d.top, d.width, d.height},
      bounds_(AsRECT(stored_)), align_(d.align), cursor_(d.cursor) {
  if (parent_)
    parent_->children_.push_back(this);
}

TControl::~TControl() {
  if (parent_)
    std::erase(parent_->children_, this);
}

void TControl::SetBounds(const TRect& bounds) {
  const RECT previous = std::exchange(bounds_, AsRECT(bounds));
  if (!EqualRect(&previous, &bounds_))
    BoundsChanged(previous);
}

void TControl::ScaleBy(int numerator, int denominator) {
  stored_ = ScaledBounds(stored_, numerator, denominator);
  SetBounds(stored_);
}

void TControl::BoundsChanged(const RECT& previous) {
  // A windowless control is part of its parent's painting.
  InvalidateRect(parent_->Handle(), &previous, FALSE);
  InvalidateRect(parent_->Handle(), &bounds_, FALSE);
}

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

void TWinControl::BoundsChanged(const RECT& /*previous*/) {
  const RECT& r = BoundsRect();
  SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<TLayoutItem> TWinControl::ChildLayoutItems() const {
  std::vector<TLayoutItem> items;
  for (const TControl* child : children_)
    items.push_back(child->LayoutItem());
  return items;
}

void TWinControl::AlignChildren(TRect area) {
  const std::vector<TRect> placed = AlignControls(ChildLayoutItems(), area);
  for (size_t i = 0; i < placed.size(); ++i)
    children_[i]->SetBounds(placed[i]);
}

TControl* TWinControl::WindowlessChildAt(POINT point) const {
  for (TControl* child : children_) {
    if (IsWindowless(child) && PtInRect(&child->BoundsRect(), point))
      return child;
  }
  return nullptr;
}

void TWinControl::PaintWindowlessChildren(HDC dc) {
  for (TControl* child : children_) {
    if (IsWindowless(child))
      child->PaintInto(dc);
  }
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SETFOCUS:
    Form()->ControlFocused(this);
    break;
  case WM_SIZE:
    AlignChildren({0, 0, LOWORD(lParam), HIWORD(lParam)});
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
