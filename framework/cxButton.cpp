#include "cxButton.h"

#include "Form.h"
#include "Handles.h"
#include "Win32Helpers.h"

#include <string>

TcxButton::TcxButton(const TControlDescription& d, TWinControl* parent) : TWinControl(d, parent) {
  WindowParams params = ChildParams(WS_TABSTOP | BS_OWNERDRAW);
  params.text = d.caption;
  CreateSystemWindow(L"BUTTON", params, 0);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Form()->Font()), FALSE);
}

void TcxButton::Draw(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  FillRect(dc, &face, GetSysColorBrush(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
  FrameRect(dc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
  SelectedObject font(dc, Form()->Font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  const std::wstring caption = WindowText(Handle());
  DrawTextW(dc, caption.c_str(), -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&face, -3, -3);
    DrawFocusRect(dc, &face);
  }
}

LRESULT TcxButton::Notification(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Click();
    return 0;
  }
  return TWinControl::Notification(message, wParam, lParam);
}

LRESULT TcxButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_LBUTTONDBLCLK:
    // The second press of a double click is a press like any other.
    return TWinControl::WndProc(WM_LBUTTONDOWN, wParam, lParam);
  case WM_KEYDOWN:
    if (wParam == VK_RETURN && !KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU)) {
      Click();
      return 0;
    }
    break;
  case WM_CHAR:
    if (wParam == L'\r')
      return 0;
    break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
