#include "bench/entrygenerator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace bench;

class EntryGeneratorTest : public ::testing::Test {
protected:
    static bool holds(const std::vector<std::string> &list, const std::string &value)
    {
        return std::find(list.begin(), list.end(), value) != list.end();
    }

    SurnameModel surnames{2000};
    ReferenceNames names = sampleReferenceNames();
};

TEST_F(EntryGeneratorTest, SameSeedSameEntries)
{
    EntryGenerator a(surnames, names, 42), b(surnames, names, 42), c(surnames, names, 43);
    GeneratedEntry x, y, z;
    int differ = 0;
    for (int i = 0; i < 100; ++i) {
        a.next(x);
        b.next(y);
        c.next(z);
        ASSERT_EQ(std::tie(x.fam, x.im, x.ot, x.tele, x.ul, x.dom, x.domd, x.kv),
                  std::tie(y.fam, y.im, y.ot, y.tele, y.ul, y.dom, y.domd, y.kv));
        differ += x.fam != z.fam;
    }
    EXPECT_GT(differ, 50);
}

TEST_F(EntryGeneratorTest, WomenGetFeminineSurnamesAndFemaleNames)
{
    EntryGenerator generator(surnames, names, 1);
    GeneratedEntry e;
    int women = 0;
    for (int i = 0; i < 2000; ++i) {
        generator.next(e);
        women += e.female;
        const auto &given = e.female ? names.femaleNames : names.maleNames;
        const auto &patronymics = e.female ? names.femalePatronymics : names.malePatronymics;
        ASSERT_TRUE(holds(given, e.im)) << e.im;
        ASSERT_TRUE(holds(patronymics, e.ot)) << e.ot;
        bool found = false;
        for (std::size_t r = 0; r < surnames.size() && !found; ++r)
            found = (e.female ? surnames.feminine(r) : surnames.masculine(r)) == e.fam;
        ASSERT_TRUE(found) << e.fam;
    }
    EXPECT_GT(women, 900);
    EXPECT_LT(women, 1100);
}

TEST_F(EntryGeneratorTest, FieldsStayInTheProgramsRanges)
{
    EntryGenerator generator(surnames, names, 3);
    GeneratedEntry e;
    int fractions = 0;
    for (int i = 0; i < 5000; ++i) {
        generator.next(e);
        ASSERT_GE(e.dom, 1);
        ASSERT_LE(e.dom, 90);
        ASSERT_GE(e.kv, 1);
        ASSERT_LE(e.kv, 217);
        ASSERT_TRUE(holds(names.streets, e.ul)) << e.ul;
        ASSERT_EQ(e.tele.size(), 10u);
        ASSERT_TRUE(holds(names.phonePrefixes, e.tele.substr(0, 3))) << e.tele;
        fractions += !e.domd.empty();
    }
    EXPECT_GT(fractions, 100);
    EXPECT_LT(fractions, 500);
}

} // namespace
