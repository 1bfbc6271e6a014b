#include "Form.h"

#include "Application.h"
#include "DesktopCenter.h"
#include "FocusOrder.h"
#include "Image.h"
#include "Panel.h"
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
      font_(CreateFormFont(description.font)), icon_(LoadSmallIcon(description.icon)) {
  const auto& d = description;
  CreateOwnWindow({d.className, nullptr, GetSysColorBrush(d.color)},
                  {d.caption, FormStyle(d), 0, BoundsRect(), Application->Handle()});
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  CreateControls(d.controls);
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
  case TControlClass::TImage: {
    auto image = std::make_unique<TImage>(d, parent);
    if (auto* panel = dynamic_cast<TPanel*>(parent))
      panel->AddImage(image.get());
    return image;
  }
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
