#include "framework/FocusOrder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The notice window's controls in tab order: the text (0), the button (1) and the banner panel
// (2), which can take the focus but is no tab stop.
const std::vector<FocusCandidate> kNoticeControls = {
    {.canFocus = true, .tabStop = true},
    {.canFocus = true, .tabStop = true},
    {.canFocus = true, .tabStop = false},
};

struct FocusCase {
  const char* name;
  std::optional<size_t> from;
  FocusStep step;
  bool tabStopsOnly;
  std::optional<size_t> to;
};

void PrintTo(const FocusCase& c, std::ostream* out) {
  *out << c.name;
}

class FocusMove : public testing::TestWithParam<FocusCase> {};

TEST_P(FocusMove, GoesToTheNextControlInTabOrder) {
  const FocusCase& c = GetParam();
  EXPECT_EQ(NextFocus(kNoticeControls, c.from, c.step, c.tabStopsOnly), c.to);
}

constexpr auto F = FocusStep::Forward;
constexpr auto B = FocusStep::Backward;

INSTANTIATE_TEST_SUITE_P(
    Keys, FocusMove,
    testing::Values(FocusCase{"tab_from_text", 0, F, true, 1},
                    FocusCase{"tab_from_button_wraps_past_panel", 1, F, true, 0},
                    FocusCase{"shift_tab_from_text_wraps", 0, B, true, 1},
                    FocusCase{"tab_from_panel", 2, F, true, 0},
                    FocusCase{"shift_tab_from_panel", 2, B, true, 1},
                    FocusCase{"arrow_on_from_button_to_panel", 1, F, false, 2},
                    FocusCase{"arrow_back_from_button_to_text", 1, B, false, 0},
                    FocusCase{"arrow_on_from_panel_wraps", 2, F, false, 0},
                    FocusCase{"arrow_back_from_panel", 2, B, false, 1},
                    FocusCase{"first_focus", std::nullopt, F, true, 0},
                    FocusCase{"first_focus_backward", std::nullopt, B, true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FocusMove, SkipsControlsThatCannotTakeTheFocus) {
  const std::vector<FocusCandidate> controls = {
      {.canFocus = true, .tabStop = true},
      {.canFocus = false, .tabStop = true},
      {.canFocus = true, .tabStop = true},
  };
  EXPECT_EQ(NextFocus(controls, 0, F, true), 2u);
  EXPECT_EQ(NextFocus(controls, 2, B, false), 0u);
}

TEST(FocusMove, FindsNothingWhenNoControlQualifies) {
  const std::vector<FocusCandidate> controls = {{.canFocus = true, .tabStop = false}};
  EXPECT_EQ(NextFocus(controls, std::nullopt, F, true), std::nullopt);
  EXPECT_EQ(NextFocus({}, std::nullopt, F, false), std::nullopt);
}

} // namespace
