#pragma once
// Timing and summing up the benchmarks' runs.

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

class Stopwatch {
public:
  Stopwatch() { QueryPerformanceCounter(&start_); }
  double ElapsedMs() const {
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  }

private:
  LARGE_INTEGER start_{};
};

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double Min(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

inline const char* Verdict(bool met) {
  return met ? "met" : "NOT met";
}

// A row of the summary that tools/bench prints after every benchmark has run: the figure, its
// value as `format` writes it, its goal, and whether the goal is met.
[[gnu::format(printf, 4, 5)]] inline void PrintSummaryRow(const char* figure, const char* goal,
                                                          bool met, const char* format, ...) {
  std::printf("summary\t%s\t", figure);
  va_list value;
  va_start(value, format);
  std::vprintf(format, value);
  va_end(value);
  std::printf("\t%s\t%s\n", goal, Verdict(met));
}
