#include "mainwindowfixture.h"

#include <QGroupBox>
#include <QTableView>

namespace {

class Resize : public MainWindowTest {
protected:
    void grow(QSize by)
    {
        form->resize(form->size() + by);
        settle();
    }
    QRect groupGeometry() const { return child<QGroupBox>("searchGroup")->geometry(); }
};

TEST_F(Resize, WiderWindowWidensTheGridAndMovesTheGroup)
{
    openWindow();
    grow({100, 0});
    EXPECT_EQ(grid()->geometry(), QRect(8, 48, 693, 505));
    EXPECT_EQ(groupGeometry(), QRect(716, 40, 225, 513));
}

TEST_F(Resize, TallerWindowLengthensTheGridAndTheGroup)
{
    openWindow();
    grow({0, 100});
    EXPECT_EQ(grid()->geometry(), QRect(8, 48, 593, 605));
    EXPECT_EQ(groupGeometry(), QRect(616, 40, 225, 613));
}

TEST_F(Resize, ShrinkingBackRestoresTheDesign)
{
    openWindow();
    grow({100, 100});
    grow({-100, -100});
    EXPECT_EQ(grid()->geometry(), QRect(8, 48, 593, 505));
    EXPECT_EQ(groupGeometry(), QRect(616, 40, 225, 513));
}

TEST_F(Resize, NarrowWindowLeavesTheGridNoWidth)
{
    openWindow();
    form->resize(250, form->height());
    settle();
    ASSERT_LT(form->width(), 269); // a client narrower than the margins around the grid
    EXPECT_EQ(grid()->width(), 0);
    EXPECT_EQ(groupGeometry().width(), 225);
}

} // namespace
