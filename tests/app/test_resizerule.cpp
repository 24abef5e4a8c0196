#include "resizerule.h"

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
