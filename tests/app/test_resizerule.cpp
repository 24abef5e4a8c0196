#include "app/resizerule.h"
#include "pages/windowplacement.h"

#include <gtest/gtest.h>

using app::geometryForClientSize;
using app::kDesignClientSize;

namespace {

TEST(ResizeRule, DesignSizeGivesTheDesignGeometry)
{
    const auto g = geometryForClientSize(kDesignClientSize);
    EXPECT_EQ(g.grid, QRect(8, 48, 593, 505));
    EXPECT_EQ(g.group, QRect(616, 40, 225, 513));
}

TEST(ResizeRule, WiderWindowWidensTheGridAndMovesTheGroup)
{
    const auto g = geometryForClientSize(kDesignClientSize + QSize(100, 0));
    EXPECT_EQ(g.grid, QRect(8, 48, 693, 505));
    EXPECT_EQ(g.group, QRect(716, 40, 225, 513));
}

TEST(ResizeRule, TallerWindowLengthensGridAndGroup)
{
    const auto g = geometryForClientSize(kDesignClientSize + QSize(0, 100));
    EXPECT_EQ(g.grid, QRect(8, 48, 593, 605));
    EXPECT_EQ(g.group, QRect(616, 40, 225, 613));
}

TEST(ResizeRule, NarrowWindowLeavesTheGridNoRoom)
{
    // 600 pixels narrower than designed: the grid's computed width, 593 - 600, is clamped.
    const auto g = geometryForClientSize(kDesignClientSize - QSize(600, 0));
    EXPECT_EQ(g.grid, QRect(8, 48, 0, 505));
    EXPECT_EQ(g.group, QRect(16, 40, 225, 513));
}

TEST(ResizeRule, ShortWindowLeavesNoNegativeHeights)
{
    const auto g = geometryForClientSize({kDesignClientSize.width(), 50});
    EXPECT_EQ(g.grid.height(), 0);
    EXPECT_EQ(g.group.height(), 0);
    EXPECT_EQ(g.group.top(), 40);
}

} // namespace

namespace {

struct Placement {
    QSize frame;
    QSize minimum;
    QRect area;
    QRect expected;
};

class FrameWithin : public ::testing::TestWithParam<Placement> {};

TEST_P(FrameWithin, FitsAndCentresTheFrame)
{
    const Placement &p = GetParam();
    EXPECT_EQ(pages::frameWithin(p.frame, p.minimum, p.area), p.expected);
}

// The main window's frame on a large screen, on the two small ones with a panel taking the top,
// and with a minimum larger than the area.
INSTANTIATE_TEST_SUITE_P(, FrameWithin,
                         ::testing::Values(Placement{{864, 640}, {271, 460}, {0, 0, 1280, 1024}, {208, 192, 864, 640}},
                                           Placement{{864, 640}, {271, 460}, {0, 30, 1024, 570}, {80, 30, 864, 570}},
                                           Placement{{864, 640}, {271, 460}, {0, 0, 800, 600}, {0, 0, 800, 600}},
                                           Placement{{864, 640}, {900, 700}, {100, 0, 800, 600}, {100, 0, 900, 700}}));

} // namespace
