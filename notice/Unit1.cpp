#include "Unit1.h"

TForm1* Form1 = nullptr;

namespace {

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
    .icon = L"FORMICON",
    .position = TPosition::poDesktopCenter,
};

} // namespace

TForm1::TForm1() : TForm(kForm1) {}
