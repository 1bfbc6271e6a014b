// Start-up benchmark: how long a program takes from CreateProcess to its first window shown and
// painted, against a bare Win32 window, and how much CPU the program uses once idle.
//
//   startup_bench.exe OURS.exe BARE.exe [ROUNDS]

#include "ChildProcess.h"
#include "Timing.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUpRounds = 2;
constexpr int kDefaultRounds = 15;
constexpr DWORD kTimeoutMs = 30000;
constexpr DWORD kSettleMs = 500;
constexpr DWORD kIdleMs = 10000;
constexpr double kGoalRatio = 1.2;

struct Program {
  std::wstring path;
  std::vector<double> timesMs;
};

double TimeToPaintedWindow(const std::wstring& path) {
  const Stopwatch clock;
  ChildProcess program(path);
  HWND window = program.WaitForPaintedWindow(kTimeoutMs);
  const double elapsed = clock.ElapsedMs();
  program.CloseAndWait(window, kTimeoutMs);
  return elapsed;
}

// Alternating the programs spreads any drift of the machine over both of them.
void RunRounds(std::vector<Program>& programs, int rounds) {
  for (int round = -kWarmUpRounds; round < rounds; ++round)
    for (Program& program : programs) {
      const double elapsed = TimeToPaintedWindow(program.path);
      if (round >= 0)
        program.timesMs.push_back(elapsed);
    }
}

const wchar_t* FileName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return path.c_str() + (slash == std::wstring::npos ? 0 : slash + 1);
}

void PrintStartupTable(const Program& ours, const Program& bare, int rounds) {
  std::printf("Start-up to first painted window: %d rounds each, after %d warm-up rounds\n", rounds,
              kWarmUpRounds);
  std::printf("  %-20s %10s %10s\n", "program", "median ms", "min ms");
  for (const Program* program : {&ours, &bare})
    std::printf("  %-20ls %10.1f %10.1f\n", FileName(program->path), Median(program->timesMs),
                Min(program->timesMs));
  const double ratio = Median(ours.timesMs) / Median(bare.timesMs);
  std::printf("  ratio of medians (ours / bare): %.2fx, goal at most %.1fx: %s\n", ratio,
              kGoalRatio, Verdict(ratio <= kGoalRatio));
  char goal[32];
  std::snprintf(goal, sizeof goal, "at most %.1fx", kGoalRatio);
  PrintSummaryRow("Start-up to first paint / bare window", goal, ratio <= kGoalRatio, "%.2fx",
                  ratio);
}

void MeasureIdleCpu(const std::wstring& path) {
  ChildProcess program(path);
  HWND window = program.WaitForPaintedWindow(kTimeoutMs);
  const ULONGLONG startup = program.CpuTime();
  // Just after the first paint the program may still be handling the answers to its showing
  // (activation, focus, the display server's events): idling starts after them.
  Sleep(kSettleMs);
  const ULONGLONG settled = program.CpuTime();
  Sleep(kIdleMs);
  const ULONGLONG idle = program.CpuTime() - settled;
  program.CloseAndWait(window, kTimeoutMs);
  std::printf("Idle CPU of %ls over %.1f s, from %.1f s after its first paint: %.1f ms, "
              "goal 0: %s\n",
              FileName(path), kIdleMs / 1000.0, kSettleMs / 1000.0, idle / 10000.0,
              Verdict(idle == 0));
  std::printf("  (CPU used up to the first paint: %.1f ms", startup / 10000.0);
  std::printf(RunningUnderWine() ? "; Wine counts it per thread in 10 ms steps)\n" : ")\n");
  char figure[80];
  std::snprintf(figure, sizeof figure, "Idle CPU over %.0f s, from %.1f s after the first paint",
                kIdleMs / 1000.0, kSettleMs / 1000.0);
  PrintSummaryRow(figure, "0 ms", idle == 0, "%.1f ms", idle / 10000.0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3 || argc > 4) {
    std::fputs("usage: startup_bench OURS.exe BARE.exe [ROUNDS]\n", stderr);
    return 2;
  }
  const int rounds = argc == 4 ? std::max(1, _wtoi(argv[3])) : kDefaultRounds;
  std::vector<Program> programs{{argv[1], {}}, {argv[2], {}}};
  try {
    RunRounds(programs, rounds);
    PrintStartupTable(programs[0], programs[1], rounds);
    MeasureIdleCpu(argv[1]);
  } catch (const BenchFailure& failure) {
    std::fprintf(stderr, "startup_bench: %ls\n", failure.message.c_str());
    return 1;
  }
  return 0;
}
