#include "tests/app/mainwindowfixture.h"

#include "app/resizerule.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
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

TEST_F(Resize, ShrunkWindowKeepsTheSearchGroupAndItsButtons)
{
    openWindow();
    form->resize(100, 100);
    settle();
    EXPECT_EQ(grid()->width(), 0);
    const QRect client = form->centralWidget()->rect();
    EXPECT_TRUE(client.contains(groupGeometry())) << groupGeometry();
    for (const char *name : {"searchButton", "clearButton"}) {
        const auto *button = child<QPushButton>(name);
        const QRect at(button->mapTo(form->centralWidget(), QPoint()), button->size());
        EXPECT_TRUE(client.contains(at)) << name;
    }
}

// Run on the test's large screen and again on an 800 x 600 one.
using WindowPlacement = MainWindowTest;

TEST_F(WindowPlacement, WindowStartsWithinTheScreenAndCentred)
{
    openWindow();
    const QRect area = form->screen()->availableGeometry();
    const QRect frame = form->frameGeometry();
    const QSize margins = frame.size() - form->size();
    const QSize design = app::kDesignClientSize + QSize(0, form->menuBar()->height()) + margins;
    EXPECT_TRUE(area.contains(frame)) << frame << " in " << area;
    EXPECT_EQ(frame.size(), design.boundedTo(area.size()));
    EXPECT_LE((frame.center() - area.center()).manhattanLength(), 2) << frame;
}

} // namespace
