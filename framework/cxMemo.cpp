#include "cxMemo.h"

#include "Form.h"
#include "Win32Helpers.h"

namespace {

constexpr int kFrameWidth = 2;

std::wstring JoinLines(std::span<const wchar_t* const> lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i)
    text += (i ? L"\r\n" : L"") + std::wstring(lines[i]);
  return text;
}

} // namespace

TcxMemo::TcxMemo(const TControlDescription& d, TWinControl* parent) : TWinControl(d, parent) {
  // No ES_AUTOHSCROLL: lines wrap at the box's width. ES_AUTOVSCROLL: text that no longer fits
  // scrolls up rather than being refused. ES_WANTRETURN: Enter breaks the line.
  CreateSystemWindow(L"EDIT",
                     ChildParams(WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN), 0);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Form()->Font()), FALSE);
  SetWindowTextW(Handle(), JoinLines(d.lines).c_str());
  // Let the frame be worked out again, now that the object handles WM_NCCALCSIZE.
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TcxMemo::Notification(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLOREDIT) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return TWinControl::Notification(message, wParam, lParam);
}

bool TcxMemo::HandleKey(WPARAM key) {
  if (key == 'A' && KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT) && !KeyDown(VK_MENU)) {
    SendMessageW(Handle(), EM_SETSEL, 0, -1);
    return true;
  }
  if (key == VK_ESCAPE) {
    if (SendMessageW(Handle(), EM_GETMODIFY, 0, 0)) {
      SetWindowTextW(Handle(), textOnFocus_.c_str());
      SendMessageW(Handle(), EM_SETMODIFY, FALSE, 0);
    }
    return true;
  }
  return false;
}

void TcxMemo::PaintFrame() {
  WindowDC dc(Handle(), DCX_WINDOW);
  RECT frame{};
  GetWindowRect(Handle(), &frame);
  OffsetRect(&frame, -frame.left, -frame.top);
  const HBRUSH brush = GetSysColorBrush(COLOR_WINDOWFRAME);
  for (int i = 0; i < kFrameWidth; ++i) {
    FrameRect(dc.get(), &frame, brush);
    InflateRect(&frame, -1, -1);
  }
}

LRESULT TcxMemo::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_NCCALCSIZE: {
    auto* rect = reinterpret_cast<RECT*>(lParam);
    InflateRect(rect, -kFrameWidth, -kFrameWidth);
    return 0;
  }
  case WM_NCPAINT:
    PaintFrame();
    return 0;
  case WM_SETFOCUS:
    textOnFocus_ = WindowText(Handle());
    SendMessageW(Handle(), EM_SETMODIFY, FALSE, 0);
    break;
  case WM_KEYDOWN:
    if (HandleKey(wParam))
      return 0;
    break;
  case WM_CHAR:
    // The characters of the keys handled above (Ctrl+A, Escape) would otherwise beep or be typed.
    if (wParam == 0x01 || wParam == VK_ESCAPE)
      return 0;
    break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
