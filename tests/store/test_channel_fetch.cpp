#include "tests/store/channelfixture.h"

#include "tests/store/sqlitedatabase.h"

#include "store/grid/gridrows.h"

#include <set>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kRows = 1000;

class FetchTest : public ChannelTest {
protected:
    void SetUp() override
    {
        SqliteDatabase filler(scratch.path().toStdString());
        filler.withCollation();
        ASSERT_EQ(filler.exec("begin; with recursive n(i) as (select 1 union all select i + 1 from n where i < "
                              + std::to_string(kRows)
                              + ") insert into tab(fam, tele, dom, kv) select 'Попов', 'p' || i, i, i from n; commit;"),
                  SQLITE_OK)
            << filler.error();
    }

    int column(const QString &name) const { return int(channel.columnNames().indexOf(name)); }

    // Every dom value fetched so far (dom equals id here).
    std::multiset<qint64> fetchedDoms() const
    {
        std::multiset<qint64> doms;
        for (int row = 0; row < channel.fetched(); ++row)
            doms.insert(channel.cell(row, column(u"dom"_s)).toLongLong());
        return doms;
    }
};

} // namespace

TEST_F(FetchTest, RunReadsOnlyTheFirstRow)
{
    channel.run(uR"(select * from tab where fam="попов" order by id)"_s);
    EXPECT_EQ(channel.fetched(), 1);
    EXPECT_FALSE(channel.atEnd());
}

TEST_F(FetchTest, CountDoesNotReadTheRows)
{
    channel.run(uR"(select * from tab where fam="попов")"_s);
    EXPECT_EQ(channel.count(), kRows);
    EXPECT_EQ(channel.fetched(), 1);
}

TEST_F(FetchTest, CountHonoursTopAndLiterals)
{
    channel.run(uR"(select top 10 * from tab where fam="ПОПОВ" order by id Desc)"_s);
    EXPECT_EQ(channel.count(), 10);
    channel.run(uR"(select * from tab where tele="p5")"_s);
    EXPECT_EQ(channel.count(), 1);
    channel.run(u"select top 20 * from tab order by id ; -- the rest is no part of the rows\n"_s);
    EXPECT_EQ(channel.count(), 20);
    EXPECT_EQ(channel.fetched(), 1); // counted, not read
}

TEST_F(FetchTest, FetchBringsTheRowsInBatchesUntilTheEnd)
{
    channel.run(u"select * from tab order by id"_s);
    EXPECT_EQ(channel.fetch(100), 100);
    EXPECT_EQ(channel.fetched(), 101);
    EXPECT_EQ(channel.fetch(5000), kRows - 101);
    EXPECT_TRUE(channel.atEnd());
    EXPECT_EQ(channel.fetch(10), 0);
    EXPECT_EQ(channel.count(), kRows);
    EXPECT_EQ(channel.cell(0, column(u"dom"_s)), QVariant(qint64(1)));
    EXPECT_EQ(channel.cell(kRows - 1, column(u"tele"_s)), QVariant(u"p1000"_s));
    EXPECT_TRUE(channel.cell(kRows, 0).isNull());
}

TEST_F(FetchTest, GridEditsAreMirroredInTheRows)
{
    channel.run(u"select * from tab order by id"_s);
    channel.fetch(2);
    const int fam = column(u"fam"_s);
    store::GridRows rows(channel);
    rows.setCell(1, fam, u"Правка"_s);
    EXPECT_EQ(channel.cell(1, fam), QVariant(u"Правка"_s));
    rows.insertRow(0, {QVariant(qint64(5000)), u"Новый"_s});
    EXPECT_EQ(channel.fetched(), 4);
    EXPECT_EQ(channel.cell(0, fam), QVariant(u"Новый"_s));
    EXPECT_TRUE(channel.cell(0, column(u"kv"_s)).isNull()); // missing values are null
    EXPECT_EQ(channel.count(), kRows + 1);
    rows.removeRow(0);
    rows.removeRow(0);
    EXPECT_EQ(channel.fetched(), 2);
    EXPECT_EQ(channel.count(), kRows - 1);
    EXPECT_EQ(channel.cell(0, fam), QVariant(u"Правка"_s));
}

TEST_F(FetchTest, WriteDuringAPendingReadLosesAndRepeatsNoRow)
{
    channel.run(u"select * from tab order by id"_s);
    channel.fetch(99);
    channel.write(u"update tab set kv = -1 where id = ?"_s, {500});
    channel.fetch(kRows);
    ASSERT_TRUE(channel.atEnd());
    const auto doms = fetchedDoms();
    EXPECT_EQ(doms.size(), std::size_t(kRows));
    EXPECT_EQ(std::set<qint64>(doms.begin(), doms.end()).size(), std::size_t(kRows));
    EXPECT_EQ(channel.cell(499, column(u"kv"_s)), QVariant(qint64(-1))); // read after the write
}

TEST_F(FetchTest, OwnWriteSucceedsAfterAnotherProgramWroteDuringTheRead)
{
    channel.run(u"select * from tab order by id"_s); // a read is pending on the file
    store::Connection otherConnection(scratch.path());
    store::QueryChannel other(otherConnection);
    other.exec(uR"(insert into tab(fam) values("Чужой"))"_s);
    // Without ending the pending read first, this write would meet a stale snapshot.
    EXPECT_EQ(channel.write(u"update tab set kv = 0 where id = ?"_s, {1}).changes, 1);
    channel.fetch(2 * kRows);
    EXPECT_EQ(channel.fetched(), kRows + 1);
}

TEST_F(FetchTest, ExecDuringAPendingReadClosesItAndRuns)
{
    channel.run(u"select * from tab"_s);
    channel.exec(u"delete from tab where id > 10"_s);
    EXPECT_EQ(rowsOf(u"tab"_s), 10);
}

TEST_F(FetchTest, StatementThatCannotBeCountedIsCountedByReading)
{
    channel.run(u"pragma table_info(tab)"_s);
    EXPECT_EQ(channel.count(), 9);
    EXPECT_TRUE(channel.atEnd());
}
