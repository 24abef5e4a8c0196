#include "tests/store/channelfixture.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The statements the lookups send, exactly as they build them, with the rows each finds in a new
// directory file holding one entry (Иванов Иван Иванович, 4951234567, Ленина 1, flat 1).
struct Sent {
    const char16_t *statement;
    int rows;
};

const Sent kLookupStatements[] = {
    {u"select fam from fam where id=58", 1},
    {u"select im from im where id=39", 1},
    {u"select im from im2 where id=23", 1},
    {u"select ot from ot where id=39", 1},
    {u"select ot from ot2 where id=39", 1},
    {u"select ul from ul where id=52", 1},
    {u"select s,tel from param", 1},
    {u"select count(*) as m from tel", 1},
    {u"select tel from tel where id=12", 1},
    {uR"(select * from tab where fam="иванов")", 1},
    {uR"(select * from tab where fam="иванов" and im="Иван" and ot="Иванович" and dom=1 and kv=1)", 1},
    {uR"(select * from tab where fam="иванов" and dom=2)", 0},
    {uR"(select * from im where im="Иван")", 1},
    {uR"(select * from im where im="Мария")", 0},
    {u"select top 1 * from tab order by id Desc", 1},
    {u"select top 3 * from tab order by id Desc", 1},
    {uR"(select * from tab where tele="4951234567")", 1},
    {uR"(select tel from tel where tel="495")", 1},
    {uR"(select tel from tel where tel="+49")", 0},
};

} // namespace

TEST_P(StoreChannelTest, LookupStatementsRunAsWritten)
{
    addEntry(u"Иванов"_s);
    for (const Sent &s : kLookupStatements) {
        const QString statement = QString::fromUtf16(s.statement);
        ASSERT_NO_THROW(channel.run(statement)) << statement.toStdString();
        EXPECT_EQ(channel.count(), s.rows) << statement.toStdString();
    }
}

TEST_P(StoreChannelTest, InsertTemplateStoresTextsAndNumbers)
{
    channel.exec(
        uR"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("Петрова","Анна","Ивановна","9161234567","8-Марта",12,"",5))"_s);
    channel.run(u"select top 1 * from tab order by id Desc"_s);
    EXPECT_EQ(channel.text(u"fam"_s), u"Петрова"_s);
    EXPECT_EQ(channel.text(u"ul"_s), u"8-Марта"_s);
    EXPECT_EQ(channel.value(u"dom"_s), QVariant(qint64(12)));
    EXPECT_EQ(channel.value(u"kv"_s), QVariant(qint64(5)));
    EXPECT_EQ(channel.value(u"domd"_s), QVariant(QString())); // an empty fraction is text, not null
    EXPECT_FALSE(channel.value(u"domd"_s).isNull());
}

TEST_P(StoreChannelTest, SurnameTypedInSmallLettersFindsCapitalisedEntries)
{
    addEntry(u"Иванов"_s);
    addEntry(u"Иванов"_s, u"Пётр"_s);
    addEntry(u"Иванова"_s);
    channel.run(uR"(select * from tab where fam="иванов")"_s);
    EXPECT_EQ(channel.count(), 2);
}

TEST_P(StoreChannelTest, CapitalYoFindsSmallYo)
{
    addEntry(u"Ёлкин"_s);
    channel.run(uR"(select * from tab where fam="ЁЛКИН")"_s);
    EXPECT_EQ(channel.count(), 1);
    channel.run(uR"(select * from tab where fam="Елкин")"_s);
    EXPECT_EQ(channel.count(), 0);
}

TEST_P(StoreChannelTest, LiteralTextNeverBecomesStatementText)
{
    const QString nasty = uR"(x" or 1=1; drop table tab; -- ' \ ?)"_s;
    QString jet = nasty;
    jet.replace(u'"', u"\"\""_s);
    channel.exec(uR"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("Хитров","","","","",1,")"_s + jet
                 + uR"(",1))"_s);
    channel.run(uR"(select * from tab where domd=")"_s + jet + u"\""_s);
    EXPECT_EQ(channel.count(), 1);
    EXPECT_EQ(channel.text(u"domd"_s), nasty);
    channel.run(uR"(select * from tab where fam="x"" or ""1""=""1")"_s);
    EXPECT_EQ(channel.count(), 0);
}

TEST_P(StoreChannelTest, UpdateAndDeletePassThrough)
{
    const qint64 id = addEntry(u"Смирнов"_s);
    channel.exec(uR"(update tab set ul="Тверская" where fam="смирнов")"_s);
    channel.run(u"select ul from tab where id="_s + QString::number(id));
    EXPECT_EQ(channel.text(u"ul"_s), u"Тверская"_s);
    channel.exec(uR"(delete from tab where fam="СМИРНОВ")"_s);
    EXPECT_EQ(rowsOf(u"tab"_s), 0);
}

TEST_P(StoreChannelTest, UnterminatedLiteralAndMalformedTopAreErrors)
{
    EXPECT_FALSE(failure([&] { channel.run(uR"(select * from tab where fam="Иванов)"_s); }).isEmpty());
    EXPECT_FALSE(failure([&] { channel.run(u"select top x * from tab"_s); }).isEmpty());
    EXPECT_FALSE(failure([&] { channel.exec(uR"(insert into tab(fam) values("x))"_s); }).isEmpty());
    EXPECT_EQ(rowsOf(u"tab"_s), 0);
}

TEST_F(ChannelTest, HexadecimalHouseIsRefusedNotReadAsNull)
{
    addEntry(u"Орлов"_s);
    const QString error = failure([&] { channel.run(uR"(select * from tab where fam="Орлов" and dom=$A)"_s); });
    EXPECT_TRUE(error.contains(u"$A"_s)) << error.toStdString();
    EXPECT_FALSE(failure([&] { channel.exec(u"insert into tab(fam, dom) values(?, 1)"_s); }).isEmpty());
    EXPECT_EQ(rowsOf(u"tab"_s), 1);
}

TEST_F(ChannelTest, SqliteErrorsComeBackAsDatabaseErrors)
{
    EXPECT_TRUE(failure([&] { channel.run(u"select * from nothere"_s); }).contains(u"no such table: nothere"_s));
    EXPECT_TRUE(failure([&] { channel.run(u"select nosuch from tab"_s); }).contains(u"no such column: nosuch"_s));
    EXPECT_FALSE(failure([&] { channel.exec(uR"(insert into tab (fam,dom) values("x","двенадцать"))"_s); }).isEmpty());
}

TEST_P(StoreChannelTest, SecondStatementInOneTextIsRefusedAndNothingRuns)
{
    const QString error = failure([&] {
        channel.exec(uR"(insert into tab(fam) values("a"); insert into tab(fam) values("b"))"_s);
    });
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(rowsOf(u"tab"_s), 0);
}

TEST_P(StoreChannelTest, InsertsBeforeAFailureStay)
{
    channel.exec(uR"(insert into tab(fam) values("Первый"))"_s);
    EXPECT_THROW(channel.exec(uR"(insert into tab(fam, dom) values("Второй", "x"))"_s), store::StoreError);
    EXPECT_EQ(rowsOf(u"tab"_s), 1);
}

TEST_P(StoreChannelTest, NewestEntriesComeNewestFirst)
{
    for (const QString &fam : {u"А"_s, u"Б"_s, u"В"_s, u"Г"_s})
        addEntry(fam);
    channel.run(u"select top 3 * from tab order by id Desc"_s);
    ASSERT_EQ(channel.count(), 3);
    channel.fetch(10);
    const int fam = int(channel.columnNames().indexOf(u"fam"_s));
    EXPECT_EQ(channel.cell(0, fam).toString(), u"Г"_s);
    EXPECT_EQ(channel.cell(1, fam).toString(), u"В"_s);
    EXPECT_EQ(channel.cell(2, fam).toString(), u"Б"_s);
}

TEST_P(StoreChannelTest, DeletedIdsAreNotGivenAgain)
{
    addEntry(u"А"_s);
    const qint64 last = addEntry(u"Б"_s);
    channel.exec(u"delete from tab where id="_s + QString::number(last));
    EXPECT_GT(addEntry(u"В"_s), last);
}
INSTANTIATE_TEST_SUITE_P(Stores, StoreChannelTest, bothStores(), storeName);
