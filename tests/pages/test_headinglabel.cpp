#include "pages/headinglabel.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(HeadingLabel, KeepsTheDesignedPlaceWhenTheTextFits)
{
    QLabel label(QStringLiteral("ab"));
    const QRect designed(100, 8, 400, 25);
    pages::placeHeading(&label, designed);
    EXPECT_EQ(label.geometry(), designed);
    EXPECT_TRUE(label.alignment().testFlag(Qt::AlignHCenter));
}

TEST(HeadingLabel, GrowsEvenlyAroundTheDesignedCentreWhenTheTextIsWider)
{
    QLabel label(QStringLiteral("a heading far wider than ten pixels"));
    const QRect designed(200, 8, 10, 25);
    pages::placeHeading(&label, designed);
    const QRect place = label.geometry();
    EXPECT_EQ(place.width(), label.sizeHint().width());
    EXPECT_LE(std::abs(place.center().x() - designed.center().x()), 1);
    EXPECT_EQ(place.top(), designed.top());
    EXPECT_EQ(place.height(), designed.height());
}
