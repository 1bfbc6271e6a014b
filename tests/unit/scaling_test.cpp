#include "framework/Scaling.h"

#include "GeometryPrinting.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct RoundingCase {
  int value, numerator, denominator, expected;
};
void PrintTo(const RoundingCase& c, std::ostream* out) {
  *out << c.value << " * " << c.numerator << " / " << c.denominator;
}

class ScaleRounding : public testing::TestWithParam<RoundingCase> {};

TEST_P(ScaleRounding, RoundsToNearestWithHalvesAwayFromZero) {
  const auto& c = GetParam();
  EXPECT_EQ(ScaleRounded(c.value, c.numerator, c.denominator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScaleRounding,
                         testing::Values(
                             // The font height for 120 and 144 pixels per inch, stored for 96.
                             RoundingCase{-12, 120, 96, -15}, RoundingCase{-12, 144, 96, -18},
                             RoundingCase{-12, 96, 96, -12},
                             RoundingCase{-12, 108, 96, -14}, // -13.5
                             RoundingCase{-12, 100, 96, -13}, // -12.5
                             RoundingCase{674, 15, 12, 843},  // 842.5
                             RoundingCase{3, 1, 2, 2}, RoundingCase{-3, 1, 2, -2},
                             RoundingCase{5, 1, 4, 1}, RoundingCase{-5, 1, 4, -1},
                             RoundingCase{7, 1, 4, 2}, RoundingCase{0, 15, 12, 0},
                             // Large enough that value × numerator overflows 32 bits.
                             RoundingCase{1'000'000'000, 15, 12, 1'250'000'000}));

struct BoundsCase {
  const char* control;
  TRect stored;
  int measured;
  TRect expected;
};
void PrintTo(const BoundsCase& c, std::ostream* out) {
  *out << c.control << " at " << c.measured;
}

class ControlScaling : public testing::TestWithParam<BoundsCase> {};

TEST_P(ControlScaling, ScalesEdgesByMeasuredOverStoredTextHeight) {
  const auto& c = GetParam();
  EXPECT_EQ(ScaledBounds(c.stored, c.measured, 12), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    NoticeControls, ControlScaling,
    testing::Values(BoundsCase{"Panel1", {0, 0, 674, 181}, 15, {0, 0, 843, 226}},
                    BoundsCase{"cxMemo1", {0, 181, 674, 200}, 15, {0, 226, 843, 250}},
                    BoundsCase{"cxButton1", {484, 400, 175, 25}, 15, {605, 500, 219, 31}},
                    BoundsCase{"Panel1", {0, 0, 674, 181}, 18, {0, 0, 1011, 272}},
                    BoundsCase{"cxMemo1", {0, 181, 674, 200}, 18, {0, 272, 1011, 300}},
                    BoundsCase{"cxButton1", {484, 400, 175, 25}, 18, {726, 600, 263, 38}},
                    // A font that measures smaller shrinks the controls.
                    BoundsCase{"cxButton1", {484, 400, 175, 25}, 11, {444, 367, 160, 23}},
                    BoundsCase{"cxButton1", {484, 400, 175, 25}, 12, {484, 400, 175, 25}}),
    [](const auto& info) {
      return std::string(info.param.control) + "_at_" + std::to_string(info.param.measured);
    });

} // namespace
