#include "framework/ApplicationTitle.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

// A double-byte code page in the manner of GBK: lead bytes 0x81-0xFE, and trail bytes that may
// be any byte from 0x40 up, the backslash included.
const AnsiCharRules kDoubleByteRules{
    [](unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; },
    [](std::string text) {
      // Lower-cases single-byte letters only and steps over double-byte characters, as the
      // system's rules do on such a code page.
      for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x81 && byte <= 0xFE)
          ++i;
        else
          text[i] = static_cast<char>(std::tolower(byte));
      }
      return text;
    }};

struct TitleCase {
  const char* path;
  const char* title;
};

void PrintTo(const TitleCase& c, std::ostream* out) {
  *out << testing::PrintToString(c.path);
}

class ApplicationTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitle, FollowsTheFileNameRule) {
  EXPECT_EQ(ApplicationTitleFromPath(GetParam().path, kDoubleByteRules), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ApplicationTitle,
    testing::Values(TitleCase{"C:\\Program Files\\Ombrelo\\NOTICE.EXE", "Notice"},
                    TitleCase{"C:\\Program Files\\Ombrelo\\notice.exe", "notice"},
                    TitleCase{"C:\\Tools\\MY.NOTICE.EXE", "My"},
                    TitleCase{"C:\\Tools\\NOTICE", "Notice"},
                    TitleCase{"C:\\Tools.D\\NOTICE",
                              "Notice"},               // a full stop in a folder name is not cut
                    TitleCase{"NOTICE.EXE", "Notice"}, // no folder at all
                    // Double-byte: the trail byte 0x5C of the first character is no folder
                    // separator, the leading character stays whole and unchanged, and the Latin
                    // letters after it are lower-cased.
                    TitleCase{"C:\\Tools\\\x81\x5C"
                              "AB.EXE",
                              "\x81\x5C"
                              "ab"},
                    TitleCase{"C:\\\xB2\xE2\\\xCC\xE1\xCA\xBENOTE.EXE", "\xCC\xE1\xCA\xBEnote"},
                    // The first character is a single-byte letter: only it stays upper case.
                    TitleCase{"C:\\Tools\\N\xCC\xE1OTE.EXE", "N\xCC\xE1ote"},
                    TitleCase{"C:\\Tools\\.hidden.exe", ""}));

} // namespace
