#include "tests/store/channelfixture.h"

#include "tests/store/sqlitedatabase.h"

using namespace Qt::Literals::StringLiterals;

TEST_P(StoreChannelTest, RunThatMatchesNothingLeavesAnOpenEmptyResult)
{
    channel.run(uR"(select * from tab where fam="Нетакого")"_s);
    EXPECT_TRUE(channel.hasResult());
    EXPECT_EQ(channel.count(), 0);
    EXPECT_EQ(channel.fetched(), 0);
    EXPECT_EQ(channel.columnNames(), QStringList({"id", "fam", "im", "ot", "tele", "ul", "dom", "domd", "kv"}));
    EXPECT_EQ(channel.text(u"fam"_s), QString());
    EXPECT_TRUE(channel.value(u"dom"_s).isNull());
    EXPECT_EQ(channel.integer(u"dom"_s), 0);
}

TEST_P(StoreChannelTest, PhoneSchemeRowReadsAsNumbers)
{
    channel.run(u"select s,tel from param"_s);
    EXPECT_EQ(channel.count(), 1);
    EXPECT_EQ(channel.value(u"s"_s), QVariant(qint64(1)));
    EXPECT_EQ(channel.integer(u"tel"_s), 7);
    EXPECT_EQ(channel.text(u"tel"_s), u"7"_s);
    EXPECT_EQ(channel.sourceTable(), u"param"_s);
}

TEST_P(StoreChannelTest, CountAsMNamesTheComputedColumn)
{
    channel.run(u"select count(*) as m from tel"_s);
    EXPECT_EQ(channel.integer(u"m"_s), 12);
    EXPECT_EQ(channel.sourceTable(), QString()); // computed, from no table
}

TEST_P(StoreChannelTest, ValueKeepsNullApartFromZero)
{
    channel.write(u"insert into tab(fam, dom, kv) values(?, ?, ?)"_s, {u"Ноль"_s, QVariant(), 0});
    channel.run(uR"(select dom, kv, domd from tab where fam="Ноль")"_s);
    EXPECT_TRUE(channel.value(u"dom"_s).isNull());
    EXPECT_FALSE(channel.value(u"kv"_s).isNull());
    EXPECT_EQ(channel.value(u"kv"_s), QVariant(qint64(0)));
    EXPECT_NE(channel.value(u"dom"_s), QVariant(qint64(0)));
    EXPECT_EQ(channel.text(u"dom"_s), QString());
    EXPECT_EQ(channel.text(u"domd"_s), QString());
}

TEST_P(StoreChannelTest, ColumnNamesMatchInAnyCase)
{
    addEntry(u"Петров"_s);
    channel.run(u"select * from tab"_s);
    EXPECT_EQ(channel.text(u"FAM"_s), u"Петров"_s);
    EXPECT_EQ(channel.text(u"Fam"_s), u"Петров"_s);
}

TEST_P(StoreChannelTest, UnknownColumnIsADatabaseErrorNamingIt)
{
    channel.run(u"select fam from fam where id=1"_s);
    const QString error = failure([&] { channel.text(u"nosuch"_s); });
    EXPECT_TRUE(error.contains(u"nosuch"_s)) << error.toStdString();
    EXPECT_FALSE(failure([&] { channel.value(u"im"_s); }).isEmpty());
}

TEST_P(StoreChannelTest, ReadingAColumnWithoutAnOpenResultIsAnError)
{
    channel.exec(u"update tab set kv=1 where id=0"_s);
    EXPECT_FALSE(failure([&] { channel.text(u"fam"_s); }).isEmpty());
}

TEST_P(StoreChannelTest, IntegerOfTextThatIsNoNumberIsAnError)
{
    channel.run(u"select fam from fam where id=1"_s);
    EXPECT_FALSE(failure([&] { channel.integer(u"fam"_s); }).isEmpty());
    channel.run(u"select tel from tel where id=1"_s);
    EXPECT_EQ(channel.integer(u"tel"_s), channel.text(u"tel"_s).toLongLong());
}

TEST_P(StoreChannelTest, PickBeyondTheTableGivesEmptyText)
{
    channel.run(u"select fam from fam where id=59"_s);
    EXPECT_EQ(channel.count(), 0);
    EXPECT_EQ(channel.text(u"fam"_s), QString());
}

TEST_P(StoreChannelTest, ExecLeavesNoResult)
{
    channel.run(u"select * from fam"_s);
    channel.exec(uR"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("А","Б","В","1","Г",1,"",2))"_s);
    EXPECT_FALSE(channel.hasResult());
    EXPECT_EQ(channel.count(), 0);
    EXPECT_EQ(channel.fetched(), 0);
    EXPECT_TRUE(channel.atEnd());
    EXPECT_TRUE(channel.columnNames().isEmpty());
}

TEST_P(StoreChannelTest, ExecOfASelectIsFine)
{
    EXPECT_NO_THROW(channel.exec(u"select * from fam"_s));
    EXPECT_FALSE(channel.hasResult());
}

TEST_P(StoreChannelTest, ExecIsCommittedWhenItReturns)
{
    channel.exec(uR"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("Сидоров","Б","В","1","Г",1,"",2))"_s);
    store::Connection otherConnection;
    directory.configure(otherConnection);
    store::QueryChannel other(otherConnection);
    other.run(u"select count(*) as m from tab"_s);
    EXPECT_EQ(other.integer(u"m"_s), 1);
}

TEST_F(ChannelTest, ExecReturnsTheIdOfTheRowItInserted)
{
    const QString insert = uR"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("%1","Б","В","1","Г",1,"",2))"_s;
    const qint64 first = channel.exec(insert.arg(u"Один"));
    EXPECT_GT(first, 0);
    // Another connection's insert in between is no business of this one.
    SqliteDatabase other(scratch.path().toStdString());
    other.withCollation();
    other.exec("insert into tab(fam) values('Чужой')");
    EXPECT_EQ(channel.exec(insert.arg(u"Два")), first + 2);
    // Statements that insert nothing do not repeat the last insert's id.
    EXPECT_EQ(channel.exec(uR"(update tab set kv=3 where fam="Два")"_s), 0);
    EXPECT_EQ(channel.exec(u"delete from tab where 1=0"_s), 0);
}

TEST_P(StoreChannelTest, CurrentRowIsTheFirstRow)
{
    addEntry(u"Первый"_s);
    addEntry(u"Второй"_s);
    addEntry(u"Третий"_s);
    channel.run(u"select top 2 * from tab order by id Desc"_s);
    EXPECT_EQ(channel.count(), 2);
    EXPECT_EQ(channel.text(u"fam"_s), u"Третий"_s);
}

TEST_P(StoreChannelTest, SourceTableIsTheOneTableOfAllColumns)
{
    channel.run(u"select * from tab"_s);
    EXPECT_EQ(channel.sourceTable(), u"tab"_s);
    channel.run(u"select fam.fam, im.im from fam, im where fam.id=1 and im.id=1"_s);
    EXPECT_EQ(channel.sourceTable(), QString());
}

TEST_P(StoreChannelTest, WriteReportsChangesAndTheNewId)
{
    const qint64 first = addEntry(u"Один"_s);
    const qint64 second = addEntry(u"Два"_s);
    EXPECT_EQ(second, first + 1);
    const auto result = channel.write(u"update tab set kv = ? where id >= ?"_s, {9, first});
    EXPECT_EQ(result.changes, 2);
}

TEST_P(StoreChannelTest, WriteLeavesTheOpenResultAsItIs)
{
    channel.run(u"select * from fam where id <= 3"_s);
    const QString first = channel.text(u"fam"_s);
    addEntry(u"Кто-то"_s);
    EXPECT_TRUE(channel.hasResult());
    EXPECT_EQ(channel.text(u"fam"_s), first);
}

TEST_P(StoreChannelTest, CloseEmptiesTheResult)
{
    channel.run(u"select * from fam"_s);
    channel.close();
    EXPECT_FALSE(channel.hasResult());
    EXPECT_EQ(channel.count(), 0);
}

TEST_P(StoreChannelTest, YieldsRowsTellsQueriesFromCommandsWithoutRunningThem)
{
    EXPECT_TRUE(channel.yieldsRows(uR"(select * from tab where fam="x")"_s));
    EXPECT_FALSE(channel.yieldsRows(uR"(insert into tab(fam) values("x"))"_s));
    EXPECT_EQ(rowsOf(u"tab"_s), 0);
}
