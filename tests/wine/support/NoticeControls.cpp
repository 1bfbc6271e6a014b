#include "NoticeControls.h"

#include "Input.h"

void PrintTo(Control c, std::ostream* out) {
  *out << (c == Control::Text ? "text" : c == Control::Button ? "button" : "panel");
}

std::wstring TextOf(HWND control) {
  const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

NoticeControls::NoticeControls(Launch launch) : program_(std::move(launch)) {
  notice_ = program_.NoticeWindow();
  text_ = FindWindowExW(notice_, nullptr, L"EDIT", nullptr);
  button_ = FindWindowExW(notice_, nullptr, L"BUTTON", nullptr);
  panel_ = FindWindowExW(notice_, nullptr, L"TPanel", nullptr);
  thread_ = GetWindowThreadProcessId(notice_, nullptr);
  bounds_ = WindowBounds(notice_);
}

void NoticeControls::SetUp() {
  ASSERT_TRUE(text_ && button_ && panel_) << "the notice window lacks a control";
  SetForegroundWindow(notice_);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notice_; }))
      << "the notice window does not come to the foreground";
}

HWND NoticeControls::Of(Control control) const {
  return control == Control::Text ? text_ : control == Control::Button ? button_ : panel_;
}

HWND NoticeControls::Focused() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(thread_, &info);
  return info.hwndFocus;
}

testing::AssertionResult NoticeControls::FocusComesTo(HWND control) const {
  if (WaitUntil([&] { return Focused() == control; }))
    return testing::AssertionSuccess();
  HWND focused = Focused();
  return testing::AssertionFailure()
         << "the focus is on " << (focused ? testing::PrintToString(ClassName(focused)) : "none")
         << ", not on " << testing::PrintToString(ClassName(control));
}

void NoticeControls::FocusOn(Control control) {
  ASSERT_TRUE(FocusComesTo(text_)) << "first focus";
  if (control == Control::Text)
    return;
  Press(VK_TAB);
  ASSERT_TRUE(FocusComesTo(button_));
  if (control == Control::Button)
    return;
  Press(VK_RIGHT);
  ASSERT_TRUE(FocusComesTo(panel_));
}

void NoticeControls::ExpectFocusStillOn(Control control) {
  ASSERT_NE(control, Control::Text);
  Press(control == Control::Button ? VK_RIGHT : VK_LEFT);
  EXPECT_TRUE(FocusComesTo(control == Control::Button ? panel_ : button_))
      << "the focus has left the " << testing::PrintToString(control);
}

testing::AssertionResult NoticeControls::TextBecomes(const std::wstring& expected) const {
  if (WaitUntil([&] { return TextOf(text_) == expected; }))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the text is " << testing::PrintToString(TextOf(text_))
                                     << ", not " << testing::PrintToString(expected);
}

void NoticeControls::ExpectLaunches(size_t count) {
  WaitUntil([&] { return log_.Launches().size() >= count; }, kLaunchPatienceMs);
  program_.Sync(notice_);
  Sleep(kNoLaunchWaitMs);
  ASSERT_TRUE(log_.Reachable());
  EXPECT_EQ(log_.Launches(), std::vector<std::string>(count, kWebsite));
}

void NoticeControls::ExpectStillOpen() const {
  EXPECT_FALSE(program_.WaitForExit(0).has_value()) << "the program has ended";
  EXPECT_TRUE(IsWindowVisible(notice_));
  EXPECT_TRUE(IsWindowEnabled(notice_));
  const RECT bounds = WindowBounds(notice_);
  EXPECT_TRUE(EqualRect(&bounds_, &bounds)) << "the window has moved or resized";
}
