#pragma once
// Timing and summing up the benchmarks' runs.

#include <windows.h>

#include <algorithm>
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
