#include "jet/reader/jetdatetime.h"

#include <gtest/gtest.h>

namespace {

TEST(JetDateTime, DaysCountFromTheEndOf1899)
{
    EXPECT_EQ(jetDateTimeText(0.0), "1899-12-30 00:00:00");
    EXPECT_EQ(jetDateTimeText(36526.0), "2000-01-01 00:00:00");
    EXPECT_EQ(jetDateTimeText(36585.0), "2000-02-29 00:00:00"); // a leap day
}

TEST(JetDateTime, FractionIsTheTimeOfDay)
{
    EXPECT_EQ(jetDateTimeText(36526.75), "2000-01-01 18:00:00");
    EXPECT_EQ(jetDateTimeText(36526.0 + (12 * 3600 + 34 * 60 + 56) / 86400.0), "2000-01-01 12:34:56");
}

TEST(JetDateTime, BeforeThe1899EpochTheTimeStillRunsForwards)
{
    EXPECT_EQ(jetDateTimeText(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(jetDateTimeText(-36522.0), "1800-01-01 00:00:00");
}

TEST(JetDateTime, MillisecondsOnlyWhenThereAreAny)
{
    EXPECT_EQ(jetDateTimeText(36526.0 + 1.5 / 86400.0), "2000-01-01 00:00:01.500");
}

TEST(JetDateTime, RoundingUpToMidnightMovesToTheNextDay)
{
    EXPECT_EQ(jetDateTimeText(36526.0 + 0.9999999999), "2000-01-02 00:00:00");
}

} // namespace
