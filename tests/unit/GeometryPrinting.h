#pragma once
// How the tests print geometry in their failure messages.

#include "framework/Geometry.h"

#include <ostream>

inline void PrintTo(const TRect& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ") " << r.width << "x" << r.height;
}

inline void PrintTo(const TSize& s, std::ostream* out) {
  *out << s.width << "x" << s.height;
}
