#include "app/captions.h"
#include "tests/app/qtprinting.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(RegionCaptions, CarryTheRegion)
{
    EXPECT_EQ(app::windowCaption(u"Москва"_s), u"Zelvik - телефонный справочник (Москва)"_s);
    EXPECT_EQ(app::headingText(u"Москва"_s), u"Телефонный справочник - Москва"_s);
    EXPECT_EQ(app::windowCaption(QString()), u"Zelvik - телефонный справочник ()"_s);
    EXPECT_EQ(app::headingText(QString()), u"Телефонный справочник - "_s);
}

TEST(RegionCaptions, DesignTextsHoldNoRegion)
{
    EXPECT_EQ(app::designWindowCaption(), u"Zelvik"_s);
    EXPECT_EQ(app::designHeadingText(), u"Телефонный справочник"_s);
}

} // namespace
