#pragma once
// The notice shown in the window's text box: fifteen lines, wrapped by hand to the box's width in
// half-width columns (a full-width character takes two). Lines 1, 5, 8, 12 and 14 are empty; three
// paragraphs open with four blanks; line 13 names the website and line 15 the service telephones.

#include "notice/WebsiteAddress.h"

#include <array>
#include <cstddef>

namespace notice_text_detail {

// Joins a wide literal and a narrow, plain-ASCII string at compile time, so that the website line
// takes its address from the one constant the banner and the button use too. A byte above 0x7F in
// the narrow string stops the compilation: it could not be widened character for character.
template <std::size_t WideSize, std::size_t NarrowSize>
consteval std::array<wchar_t, WideSize + NarrowSize - 1>
JoinAscii(const wchar_t (&wide)[WideSize], const char (&narrow)[NarrowSize]) {
  std::array<wchar_t, WideSize + NarrowSize - 1> joined{};
  std::size_t at = 0;
  for (std::size_t i = 0; i + 1 < WideSize; ++i)
    joined[at++] = wide[i];
  for (std::size_t i = 0; i + 1 < NarrowSize; ++i) {
    const auto byte = static_cast<unsigned char>(narrow[i]);
    if (byte > 0x7F)
      throw "only plain ASCII can be widened at compile time";
    joined[at++] = static_cast<wchar_t>(byte);
  }
  return joined; // the last element stays zero: the terminator
}

inline constexpr auto kWebsiteLine =
    JoinAscii(L"    最新版本软件请访问公司网站: ", kWebsiteAddress);

} // namespace notice_text_detail

// clang-format off
inline constexpr const wchar_t* kNoticeLines[15] = {
    L"",
    L"    北京翁布雷洛软件技术有限公司成立于1998年，是一家专业从事企业管理软件研究、开发、销售和服务的高新技术企业。",
    L"公司拥有一支经验丰富、富有创新精神的专业技术队伍，始终以客户需求为导向，为广大中小企业提供实用、易用的管理软件",
    L"和完善的售后服务。公司秉承“诚信为本，服务至上，与客户共同成长”的经营理念，赢得了用户的信赖与好评。",
    L"",
    L"    公司主要产品有“翁布雷洛ERP企业管理系统”、“翁布雷洛财务管理系统”、“翁布雷洛进销存管理系统”、“翁布雷洛",
    L"人事工资管理系统”、“翁布雷洛连锁零售管理系统”等，广泛应用于商业、制造、服务等各个行业，深受用户欢迎。",
    L"",
    L"    展望未来，翁布雷洛将继续坚持自主创新，紧跟信息技术的发展潮流，不断完善和丰富产品线，努力为用户提供更加优质",
    L"的软件产品和更加贴心的服务。我们愿与广大用户一道，以先进的管理思想和可靠的软件技术，帮助企业提升管理水平、增强",
    L"竞争能力，与社会各界朋友携手并进，共创美好明天！",
    L"",
    notice_text_detail::kWebsiteLine.data(),
    L"",
    L"    服务电话： 010-55550168 010-55550169 ",
};
// clang-format on
