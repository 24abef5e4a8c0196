// The channel reuses one result's buffers for the next, and keeps a statement's description with
// the cached statement: neither may let one result show through in another.
#include "tests/store/channelfixture.h"

using namespace Qt::Literals::StringLiterals;

TEST_F(ChannelTest, NextResultShowsNothingOfThePreviousOne)
{
    for (int i = 0; i < 40; ++i)
        addEntry(u"Сидоров"_s, u"Имя%1"_s.arg(i));
    addEntry(u"Кузнецов"_s, u"Пётр"_s);
    channel.run(uR"(select * from tab where fam="сидоров")"_s);
    ASSERT_EQ(channel.count(), 40);
    channel.run(uR"(select fam, im from tab where fam="кузнецов")"_s);
    EXPECT_EQ(channel.count(), 1);
    EXPECT_EQ(channel.fetched(), 1);
    EXPECT_EQ(channel.columnNames(), QStringList({u"fam"_s, u"im"_s}));
    EXPECT_EQ(channel.cell(0, 1), QVariant(u"Пётр"_s));
    EXPECT_TRUE(channel.cell(1, 0).isNull());
    channel.fetch(100);
    EXPECT_TRUE(channel.atEnd());
    EXPECT_EQ(channel.fetched(), 1);
}

TEST_F(ChannelTest, RowsReadToCountThemArriveOnceEachWhenFetched)
{
    for (int i = 0; i < 10; ++i)
        addEntry(u"Орлов"_s, u"Имя%1"_s.arg(i));
    channel.run(uR"(select im from tab where fam="орлов" order by id)"_s);
    EXPECT_EQ(channel.count(), 10);
    EXPECT_FALSE(channel.atEnd());
    EXPECT_EQ(channel.fetch(4), 4);
    EXPECT_EQ(channel.fetch(100), 5);
    EXPECT_TRUE(channel.atEnd());
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(channel.cell(row, 0), QVariant(u"Имя%1"_s.arg(row)));
}

TEST_F(ChannelTest, FailedStatementLeavesTheChannelUsable)
{
    addEntry(u"Волков"_s);
    EXPECT_FALSE(failure([&] { channel.run(u"select * from nowhere"_s); }).isEmpty());
    EXPECT_FALSE(channel.hasResult());
    channel.run(uR"(select fam from tab where fam="волков")"_s);
    EXPECT_EQ(channel.count(), 1);
    EXPECT_EQ(channel.text(u"fam"_s), u"Волков"_s);
}

TEST_F(ChannelTest, ColumnsFollowAChangeOfTheTable)
{
    channel.exec(u"create table extra (a integer)"_s);
    channel.exec(u"insert into extra values (1)"_s);
    channel.run(u"select * from extra"_s);
    ASSERT_EQ(channel.columnNames(), QStringList({u"a"_s}));
    channel.exec(u"alter table extra add column b integer default 7"_s);
    channel.run(u"select * from extra"_s);
    EXPECT_EQ(channel.columnNames(), QStringList({u"a"_s, u"b"_s}));
    EXPECT_EQ(channel.integer(u"b"_s), 7);
}
