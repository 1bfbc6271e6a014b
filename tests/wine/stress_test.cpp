// The programs under strain, seen from outside: many errors in a row, a very large paste, DLLs put
// beside the program, and many rounds of everyday use.

#include "support/FaultyApp.h"
#include "support/Input.h"
#include "support/NoticeControls.h"
#include "support/Program.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

namespace {

// Whether the program's thread takes a message within the patience: a hang check, not a timing.
bool Answers(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &ignored) != 0;
}

TEST(ErrorsInARow, EachShowOneBoxAndTheLoopGoesOn) {
  Program program(Launch().Path(FaultyAppPath()).Arguments(L"message"));
  HWND form = program.WaitForWindow(L"TFaultyForm");
  for (int round = 0; round < 100 && !testing::Test::HasFailure(); ++round)
    ExpectOneErrorBox(program, form);
  EXPECT_FALSE(ShowsMessageBox(program, 500)) << "a box too many";
  EXPECT_TRUE(Answers(form));
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

// Puts text on the clipboard for as long as the object lives.
class ClipboardText {
public:
  explicit ClipboardText(const std::wstring& text) { Put(text); }
  ClipboardText(const ClipboardText&) = delete;
  ClipboardText& operator=(const ClipboardText&) = delete;
  ~ClipboardText() {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }

private:
  static void Put(const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    // The clipboard owns the memory from here on.
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
    CloseClipboard();
  }
};

// A mebibyte of text in lines of 64 characters.
std::wstring LargeText() {
  constexpr size_t kSize = 1 << 20;
  const std::wstring line = L"The quick brown fox jumps over the lazy dog, again and again ..\r\n";
  std::wstring text;
  text.reserve(kSize);
  while (text.size() < kSize)
    text += line;
  text.resize(kSize);
  return text;
}

using NoticeUnderStrain = NoticeControls;

// Whether `after` is `before` with the start of `pasted`, maybe all of it, put in front.
testing::AssertionResult IsPastedInFront(const std::wstring& after, const std::wstring& before,
                                         const std::wstring& pasted) {
  if (after.size() >= before.size() && after.ends_with(before) &&
      pasted.starts_with(std::wstring_view(after).substr(0, after.size() - before.size())))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the text has " << after.size() << " characters, "
                                     << before.size() << " before the paste";
}

TEST_F(NoticeUnderStrain, TakesAVeryLargePasteUpToTheTextBoxsLimitAndKeepsAnswering) {
  const std::wstring large = LargeText();
  std::optional<ClipboardText> clipboard(std::in_place, large);
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(FocusComesTo(text_));
  const std::wstring before = TextOf(text_);
  const auto limit = static_cast<size_t>(SendMessageW(text_, EM_GETLIMITTEXT, 0, 0));
  const RECT textBounds = WindowBounds(text_);
  const RECT buttonBounds = WindowBounds(button_);
  const RECT panelBounds = WindowBounds(panel_);
  Press('V', {VK_CONTROL});
  // Input is handled in order: once Tab has moved the focus, the paste is done.
  Press(VK_TAB);
  EXPECT_TRUE(FocusComesTo(button_));
  EXPECT_TRUE(Answers(notice_));
  const std::wstring after = TextOf(text_);
  EXPECT_LE(after.size(), limit);
  EXPECT_TRUE(IsPastedInFront(after, before, large));
  for (auto [control, bounds] :
       {std::pair{text_, textBounds}, {button_, buttonBounds}, {panel_, panelBounds}}) {
    const RECT now = WindowBounds(control);
    EXPECT_TRUE(EqualRect(&bounds, &now)) << testing::PrintToString(ClassName(control));
  }
  ExpectStillOpen();
  ExpectLaunches(0);

  // The box still takes a paste that fits, where the caret was.
  clipboard.emplace(L"fits");
  Press(VK_TAB, {VK_SHIFT});
  ASSERT_TRUE(FocusComesTo(text_));
  const size_t caret = LOWORD(SendMessageW(text_, EM_GETSEL, 0, 0));
  Press('V', {VK_CONTROL});
  EXPECT_TRUE(TextBecomes(std::wstring(after).insert(caret, L"fits")));
}

} // namespace
