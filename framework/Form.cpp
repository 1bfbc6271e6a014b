#include "Form.h"

#include "Application.h"
#include "DesktopCenter.h"
#include "FocusOrder.h"
#include "Image.h"
#include "Panel.h"
#include "Scaling.h"
#include "Win32Helpers.h"
#include "WinError.h"
#include "cxButton.h"
#include "cxMemo.h"

#include <algorithm>

namespace {

DWORD FormStyle(const TFormDescription& d) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN | WS_SYSMENU;
  if (!d.systemMenuOnly)
    style |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  return style;
}

int ScreenPixelsPerInch() {
  WindowDC screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// The form's font, its height scaled from the density the description was made at to the
// screen's.
UniqueFont CreateFormFont(const TFormDescription& d) {
  const TFontDescription& font = d.font;
  const int height = ScaleRounded(font.height, ScreenPixelsPerInch(), d.pixelsPerInch);
  UniqueFont handle(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, font.charset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, font.name));
  if (!handle)
    ThrowLastError(L"CreateFont");
  return handle;
}

int TextHeight(HFONT font) {
  WindowDC screen(nullptr);
  SelectedObject selected(screen.get(), font);
  SIZE size{};
  if (!GetTextExtentPoint32W(screen.get(), L"0", 1, &size))
    ThrowLastError(L"GetTextExtentPoint32");
  return size.cy;
}

// ShowScrollBar has the whole frame worked out and drawn again even when the bar already is as
// asked, which makes each scrolling step slow: it is called for a change only.
void ShowScrollBarIfChanged(HWND window, int bar, bool show) {
  const LONG_PTR style = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
  if (((GetWindowLongPtrW(window, GWL_STYLE) & style) != 0) != show)
    ShowScrollBar(window, bar, show);
}

UniqueIcon LoadSmallIcon(const wchar_t* name) {
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
  if (!icon)
    ThrowLastError(L"LoadImage");
  return icon;
}

// The form as a control: its name and stored bounds.
TControlDescription AsControl(const TFormDescription& d) {
  return {.name = d.className,
          .controlClass = TControlClass::TPanel,
          .parent = nullptr,
          .left = d.left,
          .top = d.top,
          .width = d.width,
          .height = d.height};
}

} // namespace

TForm::TForm(const TFormDescription& description)
    : TWinControl(AsControl(description), nullptr), description_(description),
      font_(CreateFormFont(description)), textHeight_(TextHeight(font_.get())),
      icon_(LoadSmallIcon(description.icon)) {
  const auto& d = description;
  CreateOwnWindow({d.className, nullptr, GetSysColorBrush(d.color)},
                  {d.caption, FormStyle(d), 0, BoundsRect(), Application->Handle()});
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  CreateControls(d.controls);
  ScaleControls();
  UpdateScrolling();
}

void TForm::ScaleControls() {
  // Text in the form's font is taller or shorter on this screen than where the description was
  // made: the controls follow. The form's own size is left as stored, because the description
  // holds its outer size, not its client size; the content scrolls instead.
  if (textHeight_ == description_.textHeight)
    return;
  for (const auto& component : components_)
    component->ScaleBy(textHeight_, description_.textHeight);
}

TForm::~TForm() {
  // Children go first, the latest created first, while their parents still exist.
  while (!components_.empty())
    components_.pop_back();
}

void TForm::CreateControls(std::span<const TControlDescription> controls) {
  for (const TControlDescription& d : controls) {
    std::unique_ptr<TControl> control = CreateControl(d);
    if (d.onClick)
      control->OnClick = [this, handler = d.onClick](TObject* sender) { (this->*handler)(sender); };
    components_.push_back(std::move(control));
  }
}

std::unique_ptr<TControl> TForm::CreateControl(const TControlDescription& d) {
  TWinControl* parent = d.parent ? dynamic_cast<TWinControl*>(FindComponent(d.parent)) : this;
  if (!parent)
    throw Exception(std::wstring(L"The parent of ") + d.name + L" is not a windowed control.");
  switch (d.controlClass) {
  case TControlClass::TPanel:
    return std::make_unique<TPanel>(d, parent);
  case TControlClass::TImage:
    return std::make_unique<TImage>(d, parent);
  case TControlClass::TcxMemo:
    return std::make_unique<TcxMemo>(d, parent);
  case TControlClass::TcxButton:
    return std::make_unique<TcxButton>(d, parent);
  }
  throw Exception(std::wstring(L"Unknown control class for ") + d.name);
}

TControl* TForm::FindComponent(std::wstring_view name) const {
  for (const auto& component : components_) {
    if (component->Name() == name)
      return component.get();
  }
  return nullptr;
}

std::vector<TWinControl*> TForm::ControlsInTabOrder() const {
  std::vector<TWinControl*> controls;
  for (const auto& component : components_) {
    if (auto* control = dynamic_cast<TWinControl*>(component.get()))
      controls.push_back(control);
  }
  std::stable_sort(controls.begin(), controls.end(),
                   [](const auto* a, const auto* b) { return a->TabOrder() < b->TabOrder(); });
  return controls;
}

bool TForm::MoveFocus(bool forward, bool tabStopsOnly) {
  const std::vector<TWinControl*> controls = ControlsInTabOrder();
  std::vector<FocusCandidate> candidates;
  std::optional<size_t> current;
  for (TWinControl* control : controls) {
    if (control == activeControl_)
      current = candidates.size();
    candidates.push_back({IsWindowVisible(control->Handle()) && IsWindowEnabled(control->Handle()),
                          control->TabStop()});
  }
  const auto next = NextFocus(candidates, current,
                              forward ? FocusStep::Forward : FocusStep::Backward, tabStopsOnly);
  if (next)
    SetFocus(controls[*next]->Handle());
  return next.has_value();
}

bool TForm::PreTranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !activeControl_ || GetFocus() != activeControl_->Handle())
    return false;
  switch (msg.wParam) {
  case VK_TAB:
    if (KeyDown(VK_CONTROL) || KeyDown(VK_MENU))
      return false;
    MoveFocus(!KeyDown(VK_SHIFT), true);
    return true;
  case VK_RIGHT:
  case VK_DOWN:
  case VK_LEFT:
  case VK_UP:
    if (activeControl_->WantsArrows())
      return false;
    MoveFocus(msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN, false);
    return true;
  }
  return false;
}

void TForm::ControlFocused(TWinControl* control) {
  if (control != this)
    activeControl_ = control;
}

void TForm::FocusOnActivation() {
  // The first time, no control is active yet: the focus goes to the first tab stop.
  if (activeControl_)
    SetFocus(activeControl_->Handle());
  else
    MoveFocus(true, true);
}

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

TSize TForm::ClientSizeWithoutScrollBars() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  return {client.right + (style & WS_VSCROLL ? GetSystemMetrics(SM_CXVSCROLL) : 0),
          client.bottom + (style & WS_HSCROLL ? GetSystemMetrics(SM_CYHSCROLL) : 0)};
}

void TForm::UpdateScrolling() {
  // Showing or hiding a scroll bar resizes the client area, which comes back here.
  if (updatingScrolling_)
    return;
  updatingScrolling_ = true;
  const TSize extent = ContentExtent(ChildLayoutItems());
  const TScrollBars bars =
      NeededScrollBars(ClientSizeWithoutScrollBars(), extent,
                       {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)});
  ShowScrollBarIfChanged(Handle(), SB_HORZ, bars.horizontal);
  ShowScrollBarIfChanged(Handle(), SB_VERT, bars.vertical);
  RECT client{};
  GetClientRect(Handle(), &client);
  scroll_ = {SetScrollBar(SB_HORZ, client.right, extent.width, scroll_.x),
             SetScrollBar(SB_VERT, client.bottom, extent.height, scroll_.y)};
  updatingScrolling_ = false;
  AlignChildren(ContentArea({client.right, client.bottom}, extent, scroll_));
}

// Sets a scroll bar's range, page and position, and returns the position kept within them. The
// bar is drawn again only when one of them changes.
int TForm::SetScrollBar(int bar, int client, int extent, int position) {
  position = ClampScrollPosition(position, client, extent);
  if (client >= extent)
    return position;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  GetScrollInfo(Handle(), bar, &info);
  if (info.nMin != 0 || info.nMax != extent - 1 || info.nPage != static_cast<UINT>(client) ||
      info.nPos != position) {
    info.nMin = 0;
    info.nMax = extent - 1;
    info.nPage = static_cast<UINT>(client);
    info.nPos = position;
    SetScrollInfo(Handle(), bar, &info, TRUE);
  }
  return position;
}

void TForm::Scroll(int bar, WORD request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(Handle(), bar, &info))
    return;
  const int page = static_cast<int>(info.nPage);
  int position = info.nPos;
  // A line is a line of text in the form's font.
  switch (request) {
  case SB_LINEUP:
    position -= textHeight_;
    break;
  case SB_LINEDOWN:
    position += textHeight_;
    break;
  case SB_PAGEUP:
    position -= page;
    break;
  case SB_PAGEDOWN:
    position += page;
    break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    position = info.nTrackPos;
    break;
  case SB_TOP:
    position = 0;
    break;
  case SB_BOTTOM:
    position = info.nMax;
    break;
  default:
    return;
  }
  (bar == SB_HORZ ? scroll_.x : scroll_.y) = position;
  UpdateScrolling();
}

void TForm::Close() {
  SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_GETMINMAXINFO: {
    // The system would cut a form wider or higher than the screen down to the screen's size; the
    // form keeps its designed size instead, on small desktops too.
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, description_.width);
    limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, description_.height);
    return 0;
  }
  case WM_SIZE:
    if (wParam != SIZE_MINIMIZED)
      UpdateScrolling();
    return 0;
  case WM_HSCROLL:
  case WM_VSCROLL:
    // Only the form's own scroll bars: it has no scroll bar controls.
    if (!lParam)
      Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
    return 0;
  case WM_ACTIVATE:
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
      FocusOnActivation();
      return 0;
    }
    break;
  case WM_CLOSE:
    // The program's only form is its main window: closing it ends the application, and the
    // window stays on screen until the loop has ended.
    Application->Terminate();
    return 0;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
