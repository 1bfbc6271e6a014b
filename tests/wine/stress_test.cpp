// The programs under strain, seen from outside: many errors in a row, a very large paste, DLLs put
// beside the program, and many rounds of everyday use.

#include "support/FaultyApp.h"
#include "support/Input.h"
#include "support/NoticeControls.h"
#include "support/Program.h"
#include "support/Screen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
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

  // The box, full up to its limit, still takes a paste in place of what is selected.
  clipboard.emplace(L"fits");
  Press(VK_TAB, {VK_SHIFT});
  ASSERT_TRUE(FocusComesTo(text_));
  Press('A', {VK_CONTROL});
  Press('V', {VK_CONTROL});
  EXPECT_TRUE(TextBecomes(L"fits"));
}

// A folder of its own with a copy of a program and, beside it, a DLL that leaves a trace when
// loaded (fixtures/decoy_dll.cpp), under the name of a DLL that shell32 needs.
class ProgramBesideADecoy {
public:
  explicit ProgramBesideADecoy(const std::wstring& program)
      : folder_(std::filesystem::temp_directory_path() / L"ombrelo-decoy" /
                std::to_wstring(GetCurrentProcessId())) {
    std::filesystem::create_directories(folder_);
    std::filesystem::copy_file(program, Program(),
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(DECOY_DLL, folder_ / kDecoyName,
                               std::filesystem::copy_options::overwrite_existing);
  }
  ProgramBesideADecoy(const ProgramBesideADecoy&) = delete;
  ProgramBesideADecoy& operator=(const ProgramBesideADecoy&) = delete;
  ~ProgramBesideADecoy() { std::filesystem::remove_all(folder_); }

  std::wstring Program() const { return (folder_ / L"Ombrelo.exe").wstring(); }
  bool DecoyLoaded() const {
    return std::filesystem::exists(folder_ / (std::wstring(kDecoyName) + L".loaded"));
  }

private:
  static constexpr const wchar_t* kDecoyName = L"shcore.dll";
  std::filesystem::path folder_;
};

struct DecoyCase {
  const char* name;
  std::wstring program;
  bool loadsTheDecoy;
};
void PrintTo(const DecoyCase& c, std::ostream* out) {
  *out << c.name;
}

class DllBesideTheProgram : public testing::TestWithParam<DecoyCase> {};

TEST_P(DllBesideTheProgram, IsNeverLoadedWhileTheProgramShowsAndOpensTheWebsite) {
  const ProgramBesideADecoy folder(GetParam().program);
  {
    const BrowserLog log;
    const Program program(Launch().Path(folder.Program()));
    HWND notice = program.NoticeWindow();
    WaitUntilPainted(program, notice);
    // The first click loads what the shell needs to open a web address.
    SendMessageW(FindWindowExW(notice, nullptr, L"BUTTON", nullptr), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !log.Launches().empty(); }, kLaunchPatienceMs));
    PostMessageW(notice, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
  }
  EXPECT_EQ(folder.DecoyLoaded(), GetParam().loadsTheDecoy);
}

// The program as it would be without the restriction to the system folder shows that Wine does
// take this DLL from the program's folder.
INSTANTIATE_TEST_SUITE_P(Programs, DllBesideTheProgram,
                         testing::Values(DecoyCase{"ombrelo", OmbreloPath(), false},
                                         DecoyCase{"control_without_the_restriction",
                                                   std::wstring(VARIANTS_DIR) +
                                                       L"\\without_dll_search_restriction.exe",
                                                   true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
