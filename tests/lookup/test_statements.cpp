#include "lookup/directoryentry.h"
#include "lookup/genderset.h"
#include "lookup/statements.h"

#include <gtest/gtest.h>

using namespace lookup;
namespace st = lookup::statements;

TEST(Statements, PicksAndPhoneScheme)
{
    EXPECT_EQ(st::surnamePick(58), QStringLiteral("select fam from fam where id=58"));
    EXPECT_EQ(st::givenNamePick(maleSet, 1), QStringLiteral("select im from im where id=1"));
    EXPECT_EQ(st::givenNamePick(femaleSet, 23), QStringLiteral("select im from im2 where id=23"));
    EXPECT_EQ(st::patronymicPick(maleSet, 39), QStringLiteral("select ot from ot where id=39"));
    EXPECT_EQ(st::patronymicPick(femaleSet, 2), QStringLiteral("select ot from ot2 where id=2"));
    EXPECT_EQ(st::streetPick(52), QStringLiteral("select ul from ul where id=52"));
    EXPECT_EQ(st::phoneScheme(), QStringLiteral("select s,tel from param"));
    EXPECT_EQ(st::prefixCount(), QStringLiteral("select count(*) as m from tel"));
    EXPECT_EQ(st::prefixPick(4294967296), QStringLiteral("select tel from tel where id=4294967296"));
}

TEST(Statements, InsertQuotesSixTextsAndLeavesNumbersBare)
{
    const DirectoryEntry entry{QStringLiteral("Петрова"), QStringLiteral("Анна"), QStringLiteral("Ивановна"),
                               QStringLiteral("4951234567"), QStringLiteral("8-Марта"), -1, QString(), 217};
    EXPECT_EQ(st::insert(entry),
              QStringLiteral("insert into tab (fam,im,ot,tele,ul,dom,domd,kv) "
                             "values(\"Петрова\",\"Анна\",\"Ивановна\",\"4951234567\",\"8-Марта\",-1,\"\",217)"));
}

TEST(Statements, DoubleQuotesInsideTextsAreDoubled)
{
    EXPECT_EQ(st::quoted(u"а\"б"), QStringLiteral("\"а\"\"б\""));
    EXPECT_EQ(st::quoted(u"\""), QStringLiteral("\"\"\"\""));
    EXPECT_EQ(st::quoted(u""), QStringLiteral("\"\""));
    DirectoryEntry entry;
    entry.fraction = QStringLiteral("\"\"");
    EXPECT_TRUE(st::insert(entry).endsWith(QStringLiteral(",0,\"\"\"\"\"\",0)")));
}

TEST(Statements, PercentSignsInTextsStayAsTyped)
{
    DirectoryEntry entry;
    entry.fraction = QStringLiteral("%1%2");
    entry.surname = QStringLiteral("%L1");
    EXPECT_EQ(st::insert(entry),
              QStringLiteral("insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values(\"%L1\",\"\",\"\",\"\",\"\",0,\"%1%2\",0)"));
}

TEST(Statements, NameLookup)
{
    EXPECT_EQ(st::surnameLookup(u"иванов"), QStringLiteral("select * from tab where fam=\"иванов\""));
    EXPECT_EQ(st::nameClause(u"Иван"), QStringLiteral(" and im=\"Иван\""));
    EXPECT_EQ(st::patronymicClause(u"Иванович"), QStringLiteral(" and ot=\"Иванович\""));
    EXPECT_EQ(st::genderCheck(u"Мария"), QStringLiteral("select * from im where im=\"Мария\""));
    EXPECT_EQ(st::storedEntries({7, 8, 12}), QStringLiteral("select * from tab where id in (7,8,12) order by id Desc"));
}

TEST(Statements, HouseAndFlatFilterCarriesValuesInDecimal)
{
    EXPECT_EQ(st::houseFlatFilter(std::nullopt, std::nullopt), QString());
    EXPECT_EQ(st::houseFlatFilter(12, std::nullopt), QStringLiteral(" and dom=12"));
    EXPECT_EQ(st::houseFlatFilter(std::nullopt, 5), QStringLiteral(" and kv=5"));
    EXPECT_EQ(st::houseFlatFilter(0, 5), QStringLiteral(" and dom=0 and kv=5"));
    EXPECT_EQ(st::houseFlatFilter(-1, -2147483647 - 1), QStringLiteral(" and dom=-1 and kv=-2147483648"));
}

TEST(Statements, PhoneLookup)
{
    EXPECT_EQ(st::phoneLookup(u"+79161234567"), QStringLiteral("select * from tab where tele=\"+79161234567\""));
    EXPECT_EQ(st::prefixCheck(u"916"), QStringLiteral("select tel from tel where tel=\"916\""));
    EXPECT_EQ(st::storedEntries({41}), QStringLiteral("select * from tab where id in (41) order by id Desc"));
}
