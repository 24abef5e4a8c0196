#include "text/cp1251.h"
#include "store/provisioning/sampledata.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList valuesOf(const QString &table)
{
    for (const store::ReferenceRows &rows : store::sampleReferenceRows())
        if (rows.table == table)
            return rows.values;
    ADD_FAILURE() << "no sample data for " << table.toStdString();
    return {};
}

} // namespace

TEST(SampleData, FillsEveryIdRangeTheLookupsDraw)
{
    EXPECT_EQ(valuesOf(u"fam"_s).size(), 58);
    EXPECT_EQ(valuesOf(u"im"_s).size(), 39);
    EXPECT_EQ(valuesOf(u"im2"_s).size(), 23);
    EXPECT_EQ(valuesOf(u"ot"_s).size(), 39);
    EXPECT_EQ(valuesOf(u"ot2"_s).size(), 39);
    EXPECT_EQ(valuesOf(u"ul"_s).size(), 52);
    EXPECT_EQ(valuesOf(u"tel"_s).size(), 12);
}

TEST(SampleData, NamesTheColumnsAsTheLookupsRead)
{
    QStringList pairs;
    for (const store::ReferenceRows &rows : store::sampleReferenceRows())
        pairs.append(rows.table + u'.' + rows.column);
    EXPECT_EQ(pairs, QStringList({"fam.fam", "im.im", "im2.im", "ot.ot", "ot2.ot", "ul.ul", "tel.tel"}));
}

TEST(SampleData, ValuesAreDistinctCapitalisedAndFitTheCodePage)
{
    for (const store::ReferenceRows &rows : store::sampleReferenceRows()) {
        EXPECT_EQ(QSet<QString>(rows.values.begin(), rows.values.end()).size(), rows.values.size()) << rows.table.toStdString();
        for (const QString &v : rows.values) {
            EXPECT_FALSE(v.isEmpty()) << rows.table.toStdString();
            EXPECT_TRUE(cp1251::encode(v).has_value()) << v.toStdString();
            if (rows.table != u"ul"_s) { // streets may start with a digit, as in 8-Марта
                EXPECT_EQ(cp1251::capitalised(v), v) << v.toStdString();
            }
        }
    }
}

TEST(SampleData, SurnamesAreMasculine)
{
    // The lookup by name reads a final а as a woman's surname; none of the stored forms may end so.
    for (const QString &fam : valuesOf(u"fam"_s)) {
        EXPECT_FALSE(fam.endsWith(u'а') || fam.endsWith(u'я')) << fam.toStdString();
        EXPECT_TRUE(std::all_of(fam.begin(), fam.end(), cp1251::isCyrillicLetter)) << fam.toStdString();
    }
}

TEST(SampleData, PatronymicsMatchTheirGender)
{
    for (const QString &ot : valuesOf(u"ot"_s))
        EXPECT_TRUE(ot.endsWith(u"ич"_s)) << ot.toStdString();
    for (const QString &ot : valuesOf(u"ot2"_s))
        EXPECT_TRUE(ot.endsWith(u"на"_s)) << ot.toStdString();
}

TEST(SampleData, MaleAndFemaleNamesDoNotOverlap)
{
    // The gender check looks a typed name up in im: a female name found there would turn her male.
    const QStringList male = valuesOf(u"im"_s);
    for (const QString &name : valuesOf(u"im2"_s))
        EXPECT_FALSE(male.contains(name, Qt::CaseInsensitive)) << name.toStdString();
}

TEST(SampleData, StreetsAreCyrillicLettersDigitsAndHyphens)
{
    for (const QString &ul : valuesOf(u"ul"_s)) {
        EXPECT_TRUE(std::all_of(ul.begin(), ul.end(), cp1251::isStreetChar)) << ul.toStdString();
        EXPECT_TRUE(std::any_of(ul.begin(), ul.end(), cp1251::isCyrillicLetter)) << ul.toStdString();
    }
}

TEST(SampleData, PrefixesAreThreeDigits)
{
    for (const QString &tel : valuesOf(u"tel"_s)) {
        EXPECT_EQ(tel.size(), 3) << tel.toStdString();
        EXPECT_TRUE(std::all_of(tel.begin(), tel.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }));
    }
}

TEST(SampleData, PhoneSchemeIsTenDigitsWithPrefix)
{
    const store::ParamRow param = store::sampleParam();
    EXPECT_EQ(param.s, 1);
    EXPECT_EQ(param.tel, 7);
}
