#include "Unit1.h"

#include "NoticeText.h"
#include "WebsiteAddress.h"
#include "framework/Image.h"
#include "framework/Panel.h"
#include "framework/cxButton.h"
#include "framework/cxMemo.h"

#include <shellapi.h>

TForm1* Form1 = nullptr;

namespace {

using enum TAlign;

const auto kClick = static_cast<TFormEvent>(&TForm1::cxButton1Click);

// clang-format off
const TControlDescription kControls[] = {
  {.name = L"Panel1", .controlClass = TControlClass::TPanel, .parent = nullptr, .left = 0, .top = 0, .width = 674, .height = 181, .align = alTop, .tabOrder = 2, .caption = L"Panel1"},
  {.name = L"Image1", .controlClass = TControlClass::TImage, .parent = L"Panel1", .left = 0, .top = 0, .width = 674, .height = 181, .align = alClient, .cursor = TCursor::crHandPoint, .picture = {L"TJPEGImage", L"BANNER"}, .onClick = kClick},
  {.name = L"cxMemo1", .controlClass = TControlClass::TcxMemo, .parent = nullptr, .left = 0, .top = 181, .width = 674, .height = 200, .align = alTop, .tabOrder = 0, .lines = kNoticeLines},
  {.name = L"cxButton1", .controlClass = TControlClass::TcxButton, .parent = nullptr, .left = 484, .top = 400, .width = 175, .height = 25, .tabOrder = 1, .caption = L"点击直接进入Ombrelo网站->", .onClick = kClick},
};
// clang-format on

const TFormDescription kForm1 = {
    .className = L"TForm1",
    .left = 169,
    .top = 135,
    .width = 682,
    .height = 466,
    .systemMenuOnly = true,
    .caption = L"Ombrelo软件提示",
    .color = COLOR_BTNFACE,
    .font = {.name = L"宋体", .height = -12, .charset = ANSI_CHARSET},
    .pixelsPerInch = 96,
    .textHeight = 12,
    .icon = L"FORMICON",
    .position = TPosition::poDesktopCenter,
    .controls = kControls,
};

template <typename T> T* Component(TControl* component) {
  return dynamic_cast<T*>(component);
}

} // namespace

TForm1::TForm1()
    : TForm(kForm1), Panel1(Component<TPanel>(FindComponent(L"Panel1"))),
      Image1(Component<TImage>(FindComponent(L"Image1"))),
      cxMemo1(Component<TcxMemo>(FindComponent(L"cxMemo1"))),
      cxButton1(Component<TcxButton>(FindComponent(L"cxButton1"))) {}

void TForm1::cxButton1Click(TObject* /*Sender*/) {
  // The shell shows whatever it needs to itself; there is nothing for the program to report.
  ShellExecuteA(Handle(), nullptr, kWebsiteAddress, nullptr, nullptr, SW_SHOWNORMAL);
}
