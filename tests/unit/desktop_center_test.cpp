#include "framework/DesktopCenter.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
  TSize desktop;
  TPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* out) {
  *out << c.desktop.width << "x" << c.desktop.height;
}

class DesktopCenterPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(DesktopCenterPlacement, CentresTheNoticeWindow) {
  EXPECT_EQ(DesktopCenter(GetParam().desktop, {682, 466}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, DesktopCenterPlacement,
    testing::Values(PlacementCase{{1024, 768}, {171, 151}},
                    // (640 - 682) / 2 = -21 is clamped; (480 - 466) / 2 = 7.
                    PlacementCase{{640, 480}, {0, 7}},
                    // Two monitors side by side: the window straddles their border.
                    PlacementCase{{2048, 768}, {683, 151}},
                    // Odd differences truncate: (1025 - 682) / 2 = 171.5.
                    PlacementCase{{1025, 769}, {171, 151}},
                    // Smaller than the window both ways, by an odd amount.
                    PlacementCase{{681, 465}, {0, 0}}, PlacementCase{{682, 466}, {0, 0}}));

} // namespace
