#include "bench/syntheticsurnames.h"

#include <QString>

#include <gtest/gtest.h>

#include <unordered_set>

using bench::syntheticSurname;
using bench::syntheticSurnameCount;

TEST(SyntheticSurnames, EveryIndexGivesAnotherName)
{
    std::unordered_set<std::string> seen;
    for (std::uint64_t i = 0; i < syntheticSurnameCount(); ++i)
        ASSERT_TRUE(seen.insert(syntheticSurname(i)).second) << "index " << i << ": " << syntheticSurname(i);
}

TEST(SyntheticSurnames, AreCapitalisedCyrillicWords)
{
    for (std::uint64_t i = 0; i < syntheticSurnameCount(); i += 997) {
        const QString name = QString::fromStdString(syntheticSurname(i));
        ASSERT_GE(name.size(), 7) << i;
        EXPECT_TRUE(name.front().isUpper()) << name.toStdString();
        for (qsizetype c = 0; c < name.size(); ++c) {
            EXPECT_EQ(name[c].script(), QChar::Script_Cyrillic) << name.toStdString();
            if (c > 0) {
                EXPECT_TRUE(name[c].isLower()) << name.toStdString();
            }
        }
    }
}

TEST(SyntheticSurnames, IndexWrapsAroundTheCount)
{
    EXPECT_EQ(syntheticSurname(5), syntheticSurname(5 + syntheticSurnameCount()));
}
