#include "tests/support/clirunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class Sql : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runCli(folder.path(), {u"init"_s}).exitCode, 0); }
    CliRun sql(const QString &statement) const { return runCli(folder.path(), {u"sql"_s, statement}); }

    QTemporaryDir folder;
};

} // namespace

TEST_F(Sql, PrintsAHeaderThenTabSeparatedRows)
{
    const CliRun run = sql(u"select id, fam from fam where id <= 2 order by id"_s);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, u"id\tfam\n1\tИванов\n2\tСмирнов\n"_s);
    EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(Sql, SpeaksTheJetDialect)
{
    EXPECT_EQ(sql(u"select top 1 fam from fam order by id Desc"_s).out, u"fam\nБогданов\n"_s);
    EXPECT_EQ(sql(u"select count(*) as m from tel"_s).out, u"m\n12\n"_s);
}

TEST_F(Sql, CommandsPrintNothingAndAreKept)
{
    const CliRun insert = sql(uR"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("Ёлкин","Иван","Иванович","4951234567","Ленина",3,"",7))"_s);
    EXPECT_EQ(insert.exitCode, 0) << insert.err.toStdString();
    EXPECT_TRUE(insert.out.isEmpty());
    EXPECT_EQ(sql(uR"(select fam, dom, kv from tab where fam="ЁЛКИН")"_s).out, u"fam\tdom\tkv\nЁлкин\t3\t7\n"_s);
}

TEST_F(Sql, NullIsEmptyAndAwkwardTextIsEscaped)
{
    ASSERT_EQ(sql(u"insert into tab(fam, domd) values(\"Тест\", \"a\tb\\c\nd\")"_s).exitCode, 0);
    EXPECT_EQ(sql(uR"(select fam, dom, domd from tab)"_s).out, u"fam\tdom\tdomd\nТест\t\ta\\tb\\\\c\\nd\n"_s);
}

TEST_F(Sql, EmptyResultStillHasItsHeader)
{
    EXPECT_EQ(sql(uR"(select fam from fam where fam="Нет")"_s).out, u"fam\n"_s);
}

TEST_F(Sql, StreamsResultsLargerThanOneBatch)
{
    ASSERT_EQ(sql(u"with recursive n(i) as (select 1 union all select i + 1 from n where i < 1500) "
                  u"insert into tab(fam, dom) select \"Поток\", i from n"_s)
                  .exitCode,
              0);
    const QStringList lines = sql(u"select dom from tab order by id"_s).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1501);
    for (int i = 1; i <= 1500; ++i)
        ASSERT_EQ(lines[i], QString::number(i));
}

TEST_F(Sql, ErrorsGoToStandardErrorWithStatusTwo)
{
    for (const QString &bad : {u"select * from nothere"_s, uR"(select * from tab where fam="x)"_s,
                               u"select top many * from tab"_s, uR"(insert into tab(fam, dom) values("x", "y"))"_s}) {
        const CliRun run = sql(bad);
        EXPECT_EQ(run.exitCode, 2) << bad.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << bad.toStdString();
        EXPECT_FALSE(run.err.isEmpty()) << bad.toStdString();
    }
    EXPECT_EQ(sql(u"select count(*) as m from tab"_s).out, u"m\n0\n"_s);
}

TEST_F(Sql, MissingDirectoryFileIsNamed)
{
    QTemporaryDir empty;
    const CliRun run = runCli(empty.path(), {u"sql"_s, u"select 1"_s});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"history.dat"_s)) << run.err.toStdString();
}

TEST_F(Sql, NeedsExactlyOneStatement)
{
    EXPECT_EQ(runCli(folder.path(), {u"sql"_s}).exitCode, 1);
    EXPECT_EQ(runCli(folder.path(), {u"sql"_s, u"select 1"_s, u"select 2"_s}).exitCode, 1);
}
