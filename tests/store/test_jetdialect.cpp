#include "store/jetdialect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using store::JetRefusal;
using store::JetTranslation;
using store::translateJet;

namespace {

JetTranslation translate(std::string_view jet)
{
    JetTranslation t;
    EXPECT_TRUE(translateJet(jet, t)) << jet << ": refusal " << int(t.refusal);
    return t;
}

std::vector<std::string> literals(const JetTranslation &t)
{
    std::vector<std::string> result;
    for (std::size_t i = 0; i < t.literalCount(); ++i)
        result.emplace_back(t.literal(i));
    return result;
}

bool refused(std::string_view jet)
{
    JetTranslation t;
    const bool ok = translateJet(jet, t);
    return !ok && t.refusal != JetRefusal::None;
}

} // namespace

TEST(JetDialect, StatementWithoutLiteralsPassesAsWritten)
{
    const auto t = translate("update tab set dom=dom+1 where id = 3 and kv<>0");
    EXPECT_EQ(t.sql, "update tab set dom=dom+1 where id = 3 and kv<>0");
    EXPECT_EQ(t.literalCount(), 0u);
}

TEST(JetDialect, DoubleQuotedLiteralBecomesParameter)
{
    const auto t = translate(R"(select * from tab where fam="Иванов")");
    EXPECT_EQ(t.sql, "select * from tab where fam=?");
    EXPECT_EQ(literals(t), std::vector<std::string>{"Иванов"});
}

TEST(JetDialect, DoubledQuoteInsideLiteralIsOneQuote)
{
    const auto t = translate(R"(select * from tab where domd="a""b""")");
    EXPECT_EQ(t.sql, "select * from tab where domd=?");
    EXPECT_EQ(literals(t), std::vector<std::string>{R"(a"b")"});
}

TEST(JetDialect, SingleQuotedLiteralBecomesParameterToo)
{
    const auto t = translate("select 'it''s', \"say \"\"hi\"\"\"");
    EXPECT_EQ(t.sql, "select ?, ?");
    EXPECT_EQ(literals(t), (std::vector<std::string>{"it's", R"(say "hi")"}));
}

TEST(JetDialect, OtherQuoteInsideLiteralIsPlainText)
{
    const auto t = translate(R"(select "it's", 'a "b"')");
    EXPECT_EQ(t.sql, "select ?, ?");
    EXPECT_EQ(literals(t), (std::vector<std::string>{"it's", R"(a "b")"}));
}

TEST(JetDialect, LiteralThatLooksLikeSqlStaysText)
{
    const auto t = translate(R"(select * from tab where fam="x"" or 1=1; drop table tab; --")");
    EXPECT_EQ(t.sql, "select * from tab where fam=?");
    EXPECT_EQ(literals(t), std::vector<std::string>{R"(x" or 1=1; drop table tab; --)"});
}

TEST(JetDialect, InsertTemplateKeepsLiteralOrderAndEmptyText)
{
    const auto t = translate(
        R"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("Петрова","Анна","Ивановна","4951234567","Ленина",12,"",5))");
    EXPECT_EQ(t.sql, "insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values(?,?,?,?,?,12,?,5)");
    EXPECT_EQ(literals(t),
              (std::vector<std::string>{"Петрова", "Анна", "Ивановна", "4951234567", "Ленина", ""}));
}

TEST(JetDialect, BracketedAndBacktickedNamesPassUntouched)
{
    const auto t = translate("select [odd \"name'], `tick``\"x` from [t\"]");
    EXPECT_EQ(t.sql, "select [odd \"name'], `tick``\"x` from [t\"]");
    EXPECT_EQ(t.literalCount(), 0u);
}

TEST(JetDialect, QuotesInsideCommentsAreNoLiterals)
{
    const auto t = translate("select 1 /* \"a' */, 2 -- 'b\"\n, \"c\"");
    EXPECT_EQ(t.sql, "select 1 /* \"a' */, 2 -- 'b\"\n, ?");
    EXPECT_EQ(t.statementEnd, t.sql.size());
    EXPECT_EQ(literals(t), std::vector<std::string>{"c"});
}

TEST(JetDialect, SingleMinusIsNoComment)
{
    const auto t = translate(R"(select 5-3, "x"-"y")");
    EXPECT_EQ(t.sql, "select 5-3, ?-?");
    EXPECT_EQ(t.literalCount(), 2u);
}

TEST(JetDialect, TopBecomesTrailingLimit)
{
    EXPECT_EQ(translate("select top 1 * from tab order by id Desc").sql, "select * from tab order by id Desc limit 1");
    EXPECT_EQ(translate("SELECT TOP 25 fam FROM fam").sql, "SELECT fam FROM fam limit 25");
    EXPECT_EQ(translate("  Select\tTop\n3\t* from tab").sql, "  Select\t* from tab limit 3");
}

TEST(JetDialect, TopLimitGoesAfterLiteralsAndBeforeTrailingSeparator)
{
    const auto t = translate("select top 2 * from tab where fam=\"a\" ;  -- newest\n");
    EXPECT_EQ(t.sql, "select * from tab where fam=? limit 2 ;  -- newest\n");
    EXPECT_EQ(t.sql.substr(0, t.statementEnd), "select * from tab where fam=? limit 2");
    EXPECT_EQ(literals(t), std::vector<std::string>{"a"});
}

TEST(JetDialect, TopOfZeroAndLeadingZerosAreNumbers)
{
    EXPECT_EQ(translate("select top 0 * from tab").sql, "select * from tab limit 0");
    EXPECT_EQ(translate("select top 007 * from tab").sql, "select * from tab limit 7");
}

TEST(JetDialect, TopOnlyCountsRightAfterTheLeadingSelect)
{
    EXPECT_EQ(translate("select topic from t").sql, "select topic from t");
    EXPECT_EQ(translate("select fam as top from fam").sql, "select fam as top from fam");
    EXPECT_EQ(translate("insert into t select top from u").sql, "insert into t select top from u");
}

TEST(JetDialect, MalformedTopIsRefused)
{
    EXPECT_TRUE(refused("select top"));
    EXPECT_TRUE(refused("select top * from tab"));
    EXPECT_TRUE(refused("select top -1 * from tab"));
    EXPECT_TRUE(refused("select top +1 * from tab"));
    EXPECT_TRUE(refused("select top 1.5 * from tab"));
    EXPECT_TRUE(refused("select top 3x from tab"));
    EXPECT_TRUE(refused("select top 99999999999999999999 * from tab"));
    EXPECT_TRUE(refused("select top 5 percent * from tab"));
    EXPECT_TRUE(refused("select top \"5\" * from tab"));
}

TEST(JetDialect, UnterminatedLiteralIsRefused)
{
    EXPECT_TRUE(refused(R"(select * from tab where fam="Иванов)"));
    EXPECT_TRUE(refused("select * from tab where fam='x"));
    EXPECT_TRUE(refused(R"(select "a"")"));
    EXPECT_TRUE(refused(R"(select top 1 * from tab where fam=")"));
}

TEST(JetDialect, TranslationObjectIsReusedCleanly)
{
    JetTranslation t;
    ASSERT_TRUE(translateJet(R"(select top 1 "a", "b")", t));
    ASSERT_FALSE(translateJet(R"(select "c)", t));
    ASSERT_TRUE(translateJet(R"(select "d")", t));
    EXPECT_EQ(t.sql, "select ?");
    EXPECT_EQ(literals(t), std::vector<std::string>{"d"});
    EXPECT_EQ(t.refusal, JetRefusal::None);
}

TEST(JetDialect, TextOutsideLiteralsKeepsItsBytes)
{
    const auto t = translate("select [фамилия], `имя` from справочник where 1");
    EXPECT_EQ(t.sql, "select [фамилия], `имя` from справочник where 1");
}

TEST(JetDialect, NulOutsideALiteralIsRefused)
{
    using namespace std::string_view_literals;
    // SQLite would stop reading at the NUL and drop the condition behind it.
    EXPECT_TRUE(refused("delete from tab where id=1\0 and fam=\"x\""sv));
    EXPECT_TRUE(refused("delete from tab -- all?\0\nwhere id=1"sv));
    EXPECT_TRUE(refused("delete from [t\0ab] where id=1"sv));
    EXPECT_TRUE(refused("select top 1 * from tab\0"sv));
    JetTranslation t;
    translateJet("select 1\0"sv, t);
    EXPECT_EQ(t.refusal, JetRefusal::NulCharacter);
}

TEST(JetDialect, NulInsideALiteralIsPartOfItsText)
{
    using namespace std::string_view_literals;
    const auto t = translate("select * from tab where fam=\"a\0b\""sv);
    EXPECT_EQ(t.sql, "select * from tab where fam=?");
    EXPECT_EQ(literals(t), std::vector<std::string>{std::string("a\0b", 3)});
}

TEST(JetDialect, DigitsRightAfterALiteralAreNoParameterNumber)
{
    EXPECT_EQ(translate(R"(select * from tab where fam="x"1)").sql, "select * from tab where fam=? 1");
    EXPECT_EQ(translate(R"(select "x"1, 'y'2)").sql, "select ? 1, ? 2");
    EXPECT_EQ(translate(R"(select "x",1)").sql, "select ?,1");
}
