// The application shell, seen from outside the process: start-up show states, the owning
// application window, the ways the program ends, and where its errors go.

#include "support/FaultyApp.h"
#include "support/Program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

// The tests run on a 1024x768 desktop, and once more on a 640x480 one for this test.
TEST(FirstPlacement, CentresTheNoticeWindowOnTheDesktopAtItsStoredSize) {
  const std::map<std::pair<int, int>, POINT> topLeftByDesktop = {{{1024, 768}, {171, 151}},
                                                                 {{640, 480}, {0, 7}}};
  const auto expected = topLeftByDesktop.find(
      {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)});
  ASSERT_NE(expected, topLeftByDesktop.end()) << "a desktop of a size this test does not know";
  Program program;
  const RECT bounds = WindowBounds(program.NoticeWindow());
  EXPECT_EQ(bounds.left, expected->second.x);
  EXPECT_EQ(bounds.top, expected->second.y);
  EXPECT_EQ(bounds.right - bounds.left, 682);
  EXPECT_EQ(bounds.bottom - bounds.top, 466);
}

struct ShowStateCase {
  const char* name;
  std::optional<WORD> startup;
  bool maximised;
};
void PrintTo(const ShowStateCase& c, std::ostream* out) {
  *out << c.name;
}

class StartupShowState : public testing::TestWithParam<ShowStateCase> {};

TEST_P(StartupShowState, DecidesHowTheNoticeWindowFirstShows) {
  Program program(Launch().Show(GetParam().startup));
  HWND notice = program.NoticeWindow();
  EXPECT_EQ(IsZoomed(notice) != FALSE, GetParam().maximised);
  EXPECT_FALSE(IsIconic(notice));
  EXPECT_FALSE(IsIconic(GetWindow(notice, GW_OWNER)));
}

INSTANTIATE_TEST_SUITE_P(Requests, StartupShowState,
                         testing::Values(ShowStateCase{"none", std::nullopt, false},
                                         ShowStateCase{"maximised", SW_SHOWMAXIMIZED, true},
                                         ShowStateCase{"normal", SW_SHOWNORMAL, false},
                                         ShowStateCase{"minimised_active", SW_SHOWMINIMIZED, false},
                                         ShowStateCase{"no_activate", SW_SHOWNOACTIVATE, false},
                                         ShowStateCase{"default", SW_SHOWDEFAULT, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartupShowState, MinimisedWithoutActivationWaitsForTheUserToRestore) {
  Program program(Launch().Show(SW_SHOWMINNOACTIVE));
  HWND application = program.WaitForWindow(L"TApplication");
  HWND notice = program.WaitForWindow(L"TForm1", false);
  EXPECT_TRUE(IsIconic(application));
  EXPECT_FALSE(IsWindowVisible(notice));

  SendMessageW(application, WM_SYSCOMMAND, SC_RESTORE, 0);
  program.Sync(notice);
  EXPECT_TRUE(IsWindowVisible(notice));
  EXPECT_FALSE(IsZoomed(notice));
  EXPECT_FALSE(IsIconic(notice));
}

TEST(NoticeWindow, IsBuiltFromItsWindowDescription) {
  Program program;
  HWND notice = program.NoticeWindow();
  EXPECT_EQ(WindowText(notice), L"Ombrelo软件提示");
  const LONG_PTR style = GetWindowLongPtrW(notice, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME) << "sizeable frame";
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST(ApplicationWindow, OwnsTheNoticeWindowAndCarriesTheTitle) {
  Program program;
  HWND notice = program.NoticeWindow();
  HWND application = GetWindow(notice, GW_OWNER);
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(ClassName(application), L"TApplication");
  EXPECT_EQ(GetWindow(application, GW_OWNER), nullptr);
  EXPECT_EQ(WindowText(application), L"Ombrelo");
  // Only an unowned window without WS_EX_APPWINDOW gets a taskbar button, so the notice window
  // has none of its own.
  EXPECT_FALSE(GetWindowLongPtrW(notice, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST(ApplicationWindow, HandsTheKeyboardToTheNoticeWindowWhenActivated) {
  Program program;
  HWND notice = program.NoticeWindow();
  HWND application = GetWindow(notice, GW_OWNER);
  // What a click on the taskbar button does.
  ASSERT_TRUE(SetForegroundWindow(application));
  GUITHREADINFO focus{};
  focus.cbSize = sizeof focus;
  for (int i = 0; i < 100; ++i) {
    program.Sync(notice);
    GetGUIThreadInfo(GetWindowThreadProcessId(notice, nullptr), &focus);
    if (focus.hwndFocus && GetAncestor(focus.hwndFocus, GA_ROOT) == notice)
      break;
    Sleep(20);
  }
  ASSERT_NE(focus.hwndFocus, nullptr);
  EXPECT_EQ(GetAncestor(focus.hwndFocus, GA_ROOT), notice);
  EXPECT_EQ(focus.hwndActive, notice);
}

struct TitleCase {
  const char* name;
  const wchar_t* fileName;
  const wchar_t* title;
};
void PrintTo(const TitleCase& c, std::ostream* out) {
  *out << c.name;
}

class ApplicationTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitle, ComesFromTheExecutablesFileName) {
  const auto folder = std::filesystem::temp_directory_path() / L"ombrelo-title" /
                      std::to_wstring(GetCurrentProcessId());
  std::filesystem::create_directories(folder);
  const auto copy = folder / GetParam().fileName;
  std::filesystem::copy_file(OmbreloPath(), copy,
                             std::filesystem::copy_options::overwrite_existing);
  {
    Program program(Launch().Path(copy.wstring()));
    EXPECT_EQ(WindowText(GetWindow(program.NoticeWindow(), GW_OWNER)), GetParam().title);
  }
  std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Names, ApplicationTitle,
                         testing::Values(TitleCase{"upper", L"NOTICE.EXE", L"Notice"},
                                         TitleCase{"lower", L"notice.exe", L"notice"},
                                         TitleCase{"two_stops", L"MY.NOTICE.EXE", L"My"},
                                         TitleCase{"no_stop", L"NOTICE", L"Notice"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct EndingCase {
  const char* name;
  void (*end)(HWND notice);
};
void PrintTo(const EndingCase& c, std::ostream* out) {
  *out << c.name;
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> inputs;
  for (auto [key, up] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class Ending : public testing::TestWithParam<EndingCase> {};

TEST_P(Ending, EndsTheProgramWithExitCodeZeroWithoutAsking) {
  Program program;
  GetParam().end(program.NoticeWindow());
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Ending,
    testing::Values(
        EndingCase{"close_box", [](HWND n) { PostMessageW(n, WM_CLOSE, 0, 0); }},
        EndingCase{"system_menu_close",
                   [](HWND n) { PostMessageW(n, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        EndingCase{"alt_f4",
                   [](HWND n) {
                     SetForegroundWindow(n);
                     SendKeys({{VK_MENU, false}, {VK_F4, false}, {VK_F4, true}, {VK_MENU, true}});
                   }},
        EndingCase{"taskbar_close",
                   [](HWND n) { PostMessageW(GetWindow(n, GW_OWNER), WM_CLOSE, 0, 0); }},
        EndingCase{"session_end",
                   [](HWND n) {
                     // What Windows sends every top-level window at log-off.
                     for (HWND w : {GetWindow(n, GW_OWNER), n}) {
                       DWORD_PTR agreed = 0;
                       SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK,
                                           kPatienceMs, &agreed);
                       EXPECT_TRUE(agreed);
                     }
                     for (HWND w : {GetWindow(n, GW_OWNER), n})
                       SendMessageTimeoutW(w, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK,
                                           kPatienceMs, nullptr);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Errors, RaisedWhileAMessageIsHandledAreShownAndTheLoopGoesOn) {
  Program program(Launch().Path(FaultyAppPath()).Arguments(L"message"));
  HWND form = program.WaitForWindow(L"TFaultyForm");
  for (int round = 0; round < 2; ++round)
    ExpectOneErrorBox(program, form);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

TEST(Errors, RaisedWhileTheWindowIsBuiltEndTheProgramWithExitCodeOne) {
  Program program(Launch().Path(FaultyAppPath()).Arguments(L"create"));
  const MessageBoxSeen box = WaitForMessageBox(program);
  EXPECT_EQ(box.caption, L"Application Error");
  EXPECT_TRUE(box.text.starts_with(L"Exception EFaulty in module faulty_app.exe at "))
      << testing::PrintToString(box.text);
  EXPECT_TRUE(box.text.ends_with(L".\nHandling the message failed."))
      << testing::PrintToString(box.text);
  PressOk(box);
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(1));
}

} // namespace
