#include "framework/Layout.h"

#include "GeometryPrinting.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const TScrollBars& b, std::ostream* out) {
  *out << (b.horizontal ? "horizontal" : "no horizontal") << ", "
       << (b.vertical ? "vertical" : "no vertical");
}

namespace {

using enum TAlign;

// The notice window's controls as stored: the banner panel and the text stacked at the top, the
// button on its own; and the picture filling the panel.
const std::vector<TLayoutItem> kNoticeControls = {
    {alTop, {0, 0, 674, 181}},
    {alTop, {0, 181, 674, 200}},
    {alNone, {484, 400, 175, 25}},
};
// The same, scaled for a font whose "0" is 15 pixels high instead of 12.
const std::vector<TLayoutItem> kNoticeControlsAt15 = {
    {alTop, {0, 0, 843, 226}},
    {alTop, {0, 226, 843, 250}},
    {alNone, {605, 500, 219, 31}},
};

TEST(ContentExtent, IsTheButtonsRightEdgeByTheLowestBottomEdge) {
  EXPECT_EQ(ContentExtent(kNoticeControls), (TSize{659, 425}));
  EXPECT_EQ(ContentExtent(kNoticeControlsAt15), (TSize{824, 531}));
}

TEST(ContentExtent, StacksTopAlignedControlsWhereverTheirStoredTopIs) {
  // Stored out of order and with a gap: the text still comes right below the banner.
  const std::vector<TLayoutItem> items = {{alTop, {0, 300, 10, 200}}, {alTop, {0, 50, 10, 181}}};
  EXPECT_EQ(ContentExtent(items), (TSize{0, 381}));
}

TEST(AlignControls, StacksTheBannerAndTextAcrossTheAreaAndKeepsTheButtonInPlace) {
  const std::vector<TRect> expected = {{0, 0, 900, 181}, {0, 181, 900, 200}, {484, 400, 175, 25}};
  EXPECT_EQ(AlignControls(kNoticeControls, {0, 0, 900, 500}), expected);
}

TEST(AlignControls, MovesEverythingTogetherWithTheArea) {
  const std::vector<TRect> expected = {
      {-15, -7, 659, 181}, {-15, 174, 659, 200}, {469, 393, 175, 25}};
  EXPECT_EQ(AlignControls(kNoticeControls, {-15, -7, 659, 425}), expected);
}

TEST(AlignControls, GivesAClientAlignedControlWhatTheStackLeaves) {
  const std::vector<TLayoutItem> picture = {{alClient, {0, 0, 674, 181}}};
  EXPECT_EQ(AlignControls(picture, {0, 0, 900, 181}), (std::vector<TRect>{{0, 0, 900, 181}}));
  const std::vector<TLayoutItem> belowAStrip = {{alClient, {0, 0, 1, 1}}, {alTop, {0, 0, 1, 30}}};
  EXPECT_EQ(AlignControls(belowAStrip, {0, 0, 100, 20}),
            (std::vector<TRect>{{0, 30, 100, 0}, {0, 0, 100, 30}}));
}

struct ScrollBarCase {
  TSize client; // without scroll bars
  TScrollBars expected;
};
void PrintTo(const ScrollBarCase& c, std::ostream* out) {
  PrintTo(c.client, out);
}

class ScrollBarsForTheNoticeContent : public testing::TestWithParam<ScrollBarCase> {};

TEST_P(ScrollBarsForTheNoticeContent, ShowWhileTheClientAreaIsSmallerThanTheContent) {
  EXPECT_EQ(NeededScrollBars(GetParam().client, {659, 425}, {17, 17}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, ScrollBarsForTheNoticeContent,
    testing::Values(ScrollBarCase{{659, 425}, {false, false}},
                    ScrollBarCase{{674, 432}, {false, false}}, // the designed client area
                    ScrollBarCase{{658, 442}, {true, false}},  // room left for the bar
                    ScrollBarCase{{658, 441}, {true, true}},   // the bar makes it too low
                    ScrollBarCase{{676, 424}, {false, true}},
                    ScrollBarCase{{675, 424}, {true, true}}, // the bar makes it too narrow
                    ScrollBarCase{{658, 424}, {true, true}}, ScrollBarCase{{0, 0}, {true, true}}));

TEST(ContentArea, IsAsLargeAsTheClientOrTheContentAndMovesWithTheScrollPositions) {
  EXPECT_EQ(ContentArea({900, 500}, {659, 425}, {0, 0}), (TRect{0, 0, 900, 500}));
  EXPECT_EQ(ContentArea({600, 400}, {659, 425}, {15, 7}), (TRect{-15, -7, 659, 425}));
  EXPECT_EQ(ContentArea({600, 500}, {659, 425}, {59, 0}), (TRect{-59, 0, 659, 500}));
}

TEST(ClampScrollPosition, KeepsThePositionWithinWhatTheContentAllows) {
  EXPECT_EQ(ClampScrollPosition(10, 600, 659), 10);
  EXPECT_EQ(ClampScrollPosition(100, 600, 659), 59);
  EXPECT_EQ(ClampScrollPosition(-5, 600, 659), 0);
  EXPECT_EQ(ClampScrollPosition(30, 900, 659), 0); // grown past the content: back to the start
}

} // namespace
