#include "bench/paintwaiter.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

using bench::PaintWaiter;

TEST(PaintWaiter, ReturnsOnceTheWidgetIsPainted)
{
    QLabel label(QStringLiteral("before"));
    PaintWaiter waiter(&label);
    label.show();
    ASSERT_TRUE(waiter.waitUntilPainted());
    label.setText(QStringLiteral("after"));
    EXPECT_TRUE(waiter.waitUntilPainted());
    EXPECT_GE(waiter.totalPaints(), 2);
}

TEST(PaintWaiter, OnlyAPaintAfterTheChangeIsCompleteCounts)
{
    QLabel label(QStringLiteral("0"));
    PaintWaiter waiter(&label);
    label.show();
    ASSERT_TRUE(waiter.waitUntilPainted());
    int step = 0;
    // The change completes in three passes of the event loop, each of which repaints the label.
    const auto ready = [&] {
        if (step < 3)
            label.setText(QString::number(++step));
        return step == 3 && label.text() == QLatin1String("3");
    };
    EXPECT_TRUE(waiter.waitUntilPainted(ready));
    EXPECT_EQ(step, 3);
}

TEST(PaintWaiter, GivesUpOnAWidgetThatIsNeverShown)
{
    QLabel hidden(QStringLiteral("never shown"));
    PaintWaiter waiter(&hidden);
    EXPECT_FALSE(waiter.waitUntilPainted());
    EXPECT_EQ(waiter.totalPaints(), 0);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
