#include "notice/NoticeText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Lines are numbered from 1, as in the window. A missing line reads as empty; the first test
// reports it.
std::wstring Line(int number) {
  const wchar_t* line = kNoticeLines[number - 1];
  return line ? line : L"";
}

// For failure messages: the text as UTF-8 (the notice holds code points of the BMP only).
std::string Utf8(const std::wstring& text) {
  std::string out;
  for (const wchar_t ch : text) {
    const auto cp = static_cast<unsigned long>(ch);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

// Characters the text box shows two columns wide: CJK punctuation, ideographs, full-width forms,
// and the curved quotation marks as a Chinese font draws them.
bool IsFullWidth(wchar_t ch) {
  return ch == L'“' || ch == L'”' || (ch >= 0x3000 && ch <= 0x303F) ||
         (ch >= 0x4E00 && ch <= 0x9FFF) || (ch >= 0xFF01 && ch <= 0xFF60);
}

// Half-width columns. One wchar_t is one code point: the text keeps to ASCII and the full-width
// ranges above, all in the BMP and clear of surrogates (checked below), so this counts alike for
// UTF-16 and UTF-32.
int Columns(const std::wstring& text) {
  int columns = 0;
  for (const wchar_t ch : text)
    columns += ch < 0x80 ? 1 : 2;
  return columns;
}

std::wstring Widen(const char* ascii) {
  return {ascii, ascii + std::strlen(ascii)};
}

// A host name of plain ASCII: two or more labels of lower-case letters, digits and dashes, joined
// by full stops. Nothing else: no port, path, query or trailing slash.
bool IsHostName(std::string_view host) {
  int fullStops = 0;
  for (size_t from = 0;; ++fullStops) {
    const size_t stop = std::min(host.find('.', from), host.size());
    const std::string_view label = host.substr(from, stop - from);
    if (label.empty() || !std::ranges::all_of(label, [](char ch) {
          return (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-';
        }))
      return false;
    if (stop == host.size())
      return fullStops >= 1;
    from = stop + 1;
  }
}

// A telephone number in the Chinese style: an area code of three or four digits with its leading
// zero, a dash, and seven or eight digits.
bool IsTelephone(std::wstring_view number) {
  const auto digits = [](std::wstring_view part, size_t least, size_t most) {
    return part.size() >= least && part.size() <= most &&
           std::ranges::all_of(part, [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; });
  };
  const size_t dash = number.find(L'-');
  return dash != std::wstring_view::npos && number.starts_with(L'0') &&
         digits(number.substr(0, dash), 3, 4) && digits(number.substr(dash + 1), 7, 8);
}

// The texts of all “…” pairs in a paragraph, in order, with what stands between one pair and the
// next. An unbalanced mark gives an empty list.
struct Quoted {
  std::vector<std::wstring> texts;
  std::vector<std::wstring> separators;
};
Quoted FindQuoted(const std::wstring& paragraph) {
  Quoted found;
  size_t from = 0;
  for (size_t open; (open = paragraph.find(L'“', from)) != std::wstring::npos;) {
    const size_t close = paragraph.find(L'”', open + 1);
    if (close == std::wstring::npos || paragraph.find(L'“', open + 1) < close)
      return {};
    if (!found.texts.empty())
      found.separators.push_back(paragraph.substr(from, open - from));
    found.texts.push_back(paragraph.substr(open + 1, close - open - 1));
    from = close + 1;
  }
  if (paragraph.find(L'”', from) != std::wstring::npos)
    return {};
  return found;
}

TEST(NoticeText, HasFifteenLinesWithEmptyLinesBetweenTheBlocks) {
  ASSERT_EQ(std::size(kNoticeLines), 15u);
  for (int n = 1; n <= 15; ++n) {
    EXPECT_NE(kNoticeLines[n - 1], nullptr) << "line " << n << " is missing";
    const bool shouldBeEmpty = n == 1 || n == 5 || n == 8 || n == 12 || n == 14;
    EXPECT_EQ(Line(n).empty(), shouldBeEmpty)
        << "line " << n << (shouldBeEmpty ? " should be empty" : " should have text") << ": \""
        << Utf8(Line(n)) << '"';
  }
}

TEST(NoticeText, FitsTheTextBoxColumns) {
  for (int n = 1; n <= 15; ++n) {
    for (const wchar_t ch : Line(n))
      EXPECT_TRUE(ch < 0x80 || IsFullWidth(ch))
          << "line " << n << ": U+" << std::hex << static_cast<unsigned long>(ch)
          << " is neither ASCII nor a full-width character";
    EXPECT_LE(Columns(Line(n)), 111) << "line " << n << ": \"" << Utf8(Line(n)) << '"';
  }
  struct Width {
    int line;
    int columns;
  };
  // The full lines of the three paragraphs.
  for (const auto& [line, columns] :
       {Width{2, 110}, Width{3, 110}, Width{6, 111}, Width{9, 110}, Width{10, 110}})
    EXPECT_EQ(Columns(Line(line)), columns) << "line " << line << ": \"" << Utf8(Line(line)) << '"';
  // The paragraph ends are shorter than the full lines before them.
  for (const auto& [end, full] : {std::pair{4, 3}, std::pair{7, 6}, std::pair{11, 10}})
    EXPECT_LT(Columns(Line(end)), Columns(Line(full))) << "paragraph end, line " << end;
}

TEST(NoticeText, OpensEachParagraphWithFourBlanks) {
  for (const int n : {2, 6, 9})
    EXPECT_TRUE(Line(n).starts_with(L"    ") && Line(n)[4] != L' ')
        << "paragraph opening, line " << n << ": \"" << Utf8(Line(n)) << '"';
  for (const int n : {3, 4, 7, 10, 11})
    EXPECT_FALSE(Line(n).starts_with(L" "))
        << "continuation, line " << n << ": \"" << Utf8(Line(n)) << '"';
}

TEST(NoticeText, EndsTheWebsiteLineWithTheWebsiteAddress) {
  const std::string address = kWebsiteAddress;
  EXPECT_EQ(Line(13), L"    最新版本软件请访问公司网站: " + Widen(kWebsiteAddress))
      << "line 13: \"" << Utf8(Line(13)) << '"';
  // "http://" and a host alone: plain ASCII, no path, query, fragment, port or trailing slash.
  EXPECT_TRUE(address.starts_with("http://") && IsHostName(address.substr(7)))
      << "website address: " << address;
}

TEST(NoticeText, EndsWithTwoServiceTelephones) {
  const std::wstring opening = L"    服务电话： ";
  const std::wstring line = Line(15);
  ASSERT_TRUE(line.starts_with(opening)) << "line 15: \"" << Utf8(line) << '"';
  // Two numbers, one blank between them and one after.
  std::wstring_view numbers(line);
  numbers.remove_prefix(opening.size());
  const bool trailingBlank = numbers.ends_with(L' ');
  numbers.remove_suffix(trailingBlank ? 1 : 0);
  const size_t between = numbers.find(L' ');
  EXPECT_TRUE(trailingBlank && between != std::wstring_view::npos &&
              IsTelephone(numbers.substr(0, between)) && IsTelephone(numbers.substr(between + 1)))
      << "line 15 after the opening: \"" << Utf8(line.substr(opening.size())) << '"';
}

TEST(NoticeText, QuotesTheMottoAndTheFiveProducts) {
  const Quoted motto = FindQuoted(Line(2) + Line(3) + Line(4));
  ASSERT_EQ(motto.texts.size(), 1u) << "the first paragraph quotes the motto, once";
  EXPECT_FALSE(motto.texts[0].empty()) << "empty motto";

  const Quoted products = FindQuoted(Line(6) + Line(7));
  ASSERT_EQ(products.texts.size(), 5u) << "the second paragraph quotes five products";
  for (const std::wstring& name : products.texts)
    EXPECT_TRUE(!name.empty() && name.find(L'、') == std::wstring::npos)
        << "product name: \"" << Utf8(name) << '"';
  for (const std::wstring& separator : products.separators)
    EXPECT_EQ(separator, L"、") << "between two products: \"" << Utf8(separator) << '"';
}

} // namespace
