#pragma once
// The application's default title, derived from the executable's path. Window-free: the system's
// character rules come in as functions, so the rule also runs in native unit tests.

#include <functional>
#include <string>
#include <string_view>

struct AnsiCharRules {
  // True when the byte starts a double-byte character in the system's ANSI code page.
  std::function<bool(unsigned char)> isLeadByte;
  // Lower-cases text by the system's case rules.
  std::function<std::string(std::string)> toLower;
};

// The file name without its directory, cut at its first full stop; the first character stays as
// it is and the rest is lower-cased. Double-byte characters are never split.
std::string ApplicationTitleFromPath(std::string_view path, const AnsiCharRules& rules);
