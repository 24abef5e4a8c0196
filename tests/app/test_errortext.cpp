#include "app/errorhandler.h"
#include "tests/app/qtprinting.h"

#include <gtest/gtest.h>

using app::applicationTitle;
using app::withFullStop;
using namespace Qt::StringLiterals;

namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstFullStop)
{
    EXPECT_EQ(applicationTitle(u"zelvik"_s), u"zelvik"_s);
    EXPECT_EQ(applicationTitle(u"Zelvik.exe"_s), u"Zelvik"_s);
    EXPECT_EQ(applicationTitle(u"zelvik.tar.gz"_s), u"zelvik"_s);
    EXPECT_EQ(applicationTitle(u".hidden"_s), QString());
}

TEST(ApplicationTitle, KeepsTheFirstLetterAndLowersTheRest)
{
    EXPECT_EQ(applicationTitle(u"ZELVIK.EXE"_s), u"Zelvik"_s);
    EXPECT_EQ(applicationTitle(u"zELVIK"_s), u"zelvik"_s);
    EXPECT_EQ(applicationTitle(u"СПРАВКА.EXE"_s), u"Справка"_s);
}

TEST(FullStop, IsAddedAfterALetterOrDigit)
{
    EXPECT_EQ(withFullStop(u"Disk full"_s), u"Disk full."_s);
    EXPECT_EQ(withFullStop(u"Ошибка"_s), u"Ошибка."_s);
    EXPECT_EQ(withFullStop(u"I/O error 5"_s), u"I/O error 5."_s);
}

TEST(FullStop, FollowsTheCharacterOrderAroundTheFullStop)
{
    // "/" is the character right after "." and "-" the one right before it.
    EXPECT_EQ(withFullStop(u"a/"_s), u"a/."_s);
    EXPECT_EQ(withFullStop(u"a-"_s), u"a-"_s);
    EXPECT_EQ(withFullStop(u"Done."_s), u"Done."_s);
    EXPECT_EQ(withFullStop(u"Stop!"_s), u"Stop!"_s);
    EXPECT_EQ(withFullStop(u"(see log)"_s), u"(see log)"_s);
    EXPECT_EQ(withFullStop(u"trailing "_s), u"trailing "_s);
    EXPECT_EQ(withFullStop(u"Неверно: «дом»"_s), u"Неверно: «дом»."_s);
}

TEST(FullStop, LeavesAnEmptyTextEmpty)
{
    EXPECT_EQ(withFullStop(QString()), QString());
}

} // namespace
