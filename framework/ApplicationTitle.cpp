#include "ApplicationTitle.h"

namespace {

// Byte length of the character that starts at `pos`.
size_t CharLength(std::string_view text, size_t pos, const AnsiCharRules& rules) {
  const bool doubleByte =
      rules.isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size();
  return doubleByte ? 2 : 1;
}

std::string_view FileName(std::string_view path, const AnsiCharRules& rules) {
  size_t start = 0;
  for (size_t pos = 0; pos < path.size(); pos += CharLength(path, pos, rules)) {
    if (path[pos] == '\\' || path[pos] == '/' || path[pos] == ':')
      start = pos + 1;
  }
  return path.substr(start);
}

std::string_view UpToFirstFullStop(std::string_view name, const AnsiCharRules& rules) {
  for (size_t pos = 0; pos < name.size(); pos += CharLength(name, pos, rules)) {
    if (name[pos] == '.')
      return name.substr(0, pos);
  }
  return name;
}

} // namespace

std::string ApplicationTitleFromPath(std::string_view path, const AnsiCharRules& rules) {
  const std::string_view stem = UpToFirstFullStop(FileName(path, rules), rules);
  if (stem.empty())
    return {};
  const size_t first = CharLength(stem, 0, rules);
  return std::string(stem.substr(0, first)) + rules.toLower(std::string(stem.substr(first)));
}
