#include "Form.h"

#include "Application.h"
#include "DesktopCenter.h"
#include "WinError.h"

#include <algorithm>

namespace {

DWORD FormStyle(const TFormDescription& d) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN | WS_SYSMENU;
  if (!d.systemMenuOnly)
    style |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  return style;
}

UniqueFont CreateFormFont(const TFontDescription& font) {
  UniqueFont handle(CreateFontW(font.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, font.charset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, font.name));
  if (!handle)
    ThrowLastError(L"CreateFont");
  return handle;
}

UniqueIcon LoadSmallIcon(const wchar_t* name) {
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
  if (!icon)
    ThrowLastError(L"LoadImage");
  return icon;
}

} // namespace

TForm::TForm(const TFormDescription& description)
    : description_(description), font_(CreateFormFont(description.font)),
      icon_(LoadSmallIcon(description.icon)) {
  const auto& d = description;
  CreateOwnWindow({d.className, nullptr, GetSysColorBrush(d.color)},
                  {d.caption,
                   FormStyle(d),
                   0,
                   {d.left, d.top, d.left + d.width, d.top + d.height},
                   Application->Handle()});
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
}

TForm::~TForm() = default;

void TForm::ShowFirst(int showCommand) {
  if (!shown_ && description_.position == TPosition::poDesktopCenter) {
    const TPoint at =
        DesktopCenter({GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)},
                      {description_.width, description_.height});
    // The size is set again too: the one given at creation may have been cut to the screen
    // before the form could say otherwise (WM_GETMINMAXINFO comes ahead of WM_NCCREATE).
    SetWindowPos(Handle(), nullptr, at.x, at.y, description_.width, description_.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  shown_ = true;
  ShowWindow(Handle(), showCommand);
}

void TForm::Close() {
  SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETMINMAXINFO) {
    // The system would cut a form wider or higher than the screen down to the screen's size; the
    // form keeps its designed size instead, on small desktops too.
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, description_.width);
    limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, description_.height);
    return 0;
  }
  if (message == WM_CLOSE) {
    // The program's only form is its main window: closing it ends the application, and the
    // window stays on screen until the loop has ended.
    Application->Terminate();
    return 0;
  }
  return TWindow::WndProc(message, wParam, lParam);
}
