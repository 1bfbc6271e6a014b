// The notice window through many rounds of everyday use: resizing and scrolling, repainting,
// focus moves, typing and Escape in the text, and clicks on the button. What the program holds
// must stay flat once the first rounds are over, and every click must open the website.

#include "support/Input.h"
#include "support/NoticeControls.h"
#include "support/Screen.h"

#include <gtest/gtest.h>

#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 1000;
// Rounds for first-time allocations (fonts, caches, the shell's first launch) to settle.
constexpr int kWarmUpRounds = 50;
// What the heap may commit at one step: private memory grown by more than that is growing.
constexpr size_t kPrivateBytesSlack = 64 * 1024;
// How long the browsers started by the last rounds may take to be recorded.
constexpr DWORD kAllLaunchesPatienceMs = 120000;

struct Holdings {
  size_t gdiObjects = 0;
  size_t windows = 0;
  size_t privateBytes = 0;
};

// Wine's GetGuiResources counts nothing, so the GDI objects are counted where Wine keeps them: in
// the process's own handle table, which its PEB points to (GdiSharedHandleTable), an entry of 24
// bytes a handle with the object's type in byte 14 (0: free) and a stock object's flag in the top
// bit of byte 12.
size_t GdiObjectsOf(HANDLE process) {
  PROCESS_BASIC_INFORMATION basics{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basics, sizeof basics,
                                nullptr) != 0)
    return 0;
  constexpr size_t kTableInPeb = 0xF8;
  constexpr size_t kEntries = 0x10000, kEntrySize = 24;
  uint64_t table = 0;
  std::vector<uint8_t> entries(kEntries * kEntrySize);
  if (!ReadProcessMemory(process, reinterpret_cast<uint8_t*>(basics.PebBaseAddress) + kTableInPeb,
                         &table, sizeof table, nullptr) ||
      !ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(), entries.size(),
                         nullptr))
    return 0;
  size_t count = 0;
  for (size_t i = 0; i < kEntries; ++i) {
    const uint8_t* entry = &entries[i * kEntrySize];
    count += entry[14] != 0 && !(entry[12] & 0x80);
  }
  return count;
}

// The USER objects that can be told apart from outside the process: its windows, top-level and
// child.
size_t WindowsOf(DWORD processId) {
  std::pair<DWORD, size_t> search{processId, 0};
  EnumWindows(
      [](HWND window, LPARAM param) {
        auto& [id, count] = *reinterpret_cast<decltype(search)*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != id)
          return TRUE;
        ++count;
        EnumChildWindows(
            window,
            [](HWND, LPARAM counter) { return ++*reinterpret_cast<size_t*>(counter), TRUE; },
            reinterpret_cast<LPARAM>(&count));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// Wine's process memory counters leave the private bytes at 0: they are summed from the
// process's committed private regions instead.
size_t PrivateBytesOf(HANDLE process) {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const uint8_t* at = nullptr;
       VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
       at = static_cast<const uint8_t*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
      total += region.RegionSize;
  }
  return total;
}

Holdings HoldingsOf(const Program& program) {
  return {GdiObjectsOf(program.Process()), WindowsOf(program.Id()),
          PrivateBytesOf(program.Process())};
}

void Print(const char* when, const Holdings& h) {
  std::printf("%s: %zu GDI objects, %zu windows, %zu private bytes\n", when, h.gdiObjects,
              h.windows, h.privateBytes);
}

// Wine's EDIT control holds on to some 15 KB each time it wraps the notice text anew at a width
// narrower than the one the text was written for; a plain EDIT control with the same text and
// font does the same in a program of its own. So the rounds resize between client areas in which
// the text box keeps the content's width, 659, while the scroll bars come and go.
constexpr SIZE kBothBars{500, 300};
constexpr SIZE kHorizontalBarOnly{640, 520};

class Soak : public NoticeControls {
protected:
  // The vertical scroll bar comes and goes again; the horizontal one stays.
  void ResizeAndScroll() {
    ResizeClientTo(notice_, kBothBars);
    for (UINT message : {WM_HSCROLL, WM_VSCROLL}) {
      SendMessageW(notice_, message, SB_BOTTOM, 0);
      SendMessageW(notice_, message, SB_TOP, 0);
    }
    ResizeClientTo(notice_, kHorizontalBarOnly);
  }

  void Repaint() {
    RedrawWindow(notice_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (HWND window : {notice_, panel_, text_, button_})
      WaitUntilPainted(program_, window);
  }

  void TypeAndTakeBack(const std::wstring& original) {
    Type("ab");
    ASSERT_TRUE(TextBecomes(L"ab" + original));
    Press(VK_ESCAPE);
    ASSERT_TRUE(TextBecomes(original));
  }

  // The launch is counted at the end: the browser starts while the next rounds go on.
  void ClickTheButton(POINT on) {
    Press(VK_TAB);
    ASSERT_TRUE(FocusComesTo(button_));
    SendInputs({MouseInput(on, MOUSEEVENTF_LEFTDOWN), MouseInput(on, MOUSEEVENTF_LEFTUP)});
    Press(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(FocusComesTo(text_));
  }

  void Round(POINT button, const std::wstring& original) {
    ResizeAndScroll();
    Repaint();
    ASSERT_NO_FATAL_FAILURE(TypeAndTakeBack(original));
    ASSERT_NO_FATAL_FAILURE(ClickTheButton(button));
  }
};

TEST_F(Soak, AThousandRoundsOfUseHoldNothingMoreAndEveryClickOpensTheWebsite) {
  ASSERT_TRUE(FocusComesTo(text_));
  const std::wstring original = TextOf(text_);
  // Unscrolled in either round size, the button stays where it is at the designed size.
  const POINT button = Centre(WindowBounds(button_));
  ASSERT_NO_FATAL_FAILURE(MoveMouseTo(button));
  Holdings settled;
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_NO_FATAL_FAILURE(Round(button, original)) << "in round " << round + 1;
    if (round + 1 == kWarmUpRounds) {
      settled = HoldingsOf(program_);
      Print("after the first rounds", settled);
    }
  }
  WaitUntil([&] { return log_.Launches().size() >= kRounds; }, kAllLaunchesPatienceMs);
  const Holdings last = HoldingsOf(program_);
  Print("at the end", last);
  EXPECT_LE(last.gdiObjects, settled.gdiObjects);
  EXPECT_LE(last.windows, settled.windows);
  EXPECT_LE(last.privateBytes, settled.privateBytes + kPrivateBytesSlack);
  ExpectLaunches(kRounds);
  SetWindowPos(notice_, nullptr, bounds_.left, bounds_.top, bounds_.right - bounds_.left,
               bounds_.bottom - bounds_.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ExpectStillOpen();
}

} // namespace
