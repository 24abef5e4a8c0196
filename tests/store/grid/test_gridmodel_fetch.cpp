// A result of any size opens at once: rows are read only as the grid asks for them.
#include "tests/app/gridmodelfixture.h"

using namespace Qt::StringLiterals;
using store::EntryField;

namespace {

// The model tester looks at every shown row after each change, so results read to the end are
// kept to a few thousand rows here: still many chunks.
class GridModelFetch : public GridModelTest {
protected:
    static constexpr int kMany = 3000;
    void SetUp() override { showNumbered(kMany); }
    void showNumbered(int count)
    {
        tab.sql(u"delete from tab"_s);
        tab.addNumbered(count);
        show(u"select * from tab order by id"_s);
    }
};

TEST_F(GridModelFetch, LargeResultOpensWithoutBeingRead)
{
    showNumbered(100000);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(model.canFetchMore(QModelIndex()));
    EXPECT_LT(channel.fetched(), 1000);

    model.fetchMore(QModelIndex());
    EXPECT_GT(model.rowCount(), 0);
    EXPECT_LT(model.rowCount(), 1000);
    EXPECT_LT(channel.fetched(), 1000);
    EXPECT_EQ(text(0, EntryField::Surname), u"Фамилия1"_s);
}

TEST_F(GridModelFetch, FetchingToTheEndShowsEveryRowOnce)
{
    fetchAll();
    ASSERT_EQ(model.rowCount(), kMany);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
    EXPECT_EQ(text(kMany - 1, EntryField::Surname), u"Фамилия3000"_s);
    EXPECT_EQ(text(2345, EntryField::Flat), u"2346"_s);
}

TEST_F(GridModelFetch, RowsTheChannelReadAheadAreNotShownTwice)
{
    model.fetchMore(QModelIndex());
    const int shown = model.rowCount();
    channel.fetch(2000);
    fetchAll();
    ASSERT_EQ(model.rowCount(), kMany);
    EXPECT_EQ(text(shown, EntryField::Surname), u"Фамилия"_s + QString::number(shown + 1));
    EXPECT_EQ(text(2000 + shown, EntryField::Surname), u"Фамилия"_s + QString::number(2000 + shown + 1));
}

TEST_F(GridModelFetch, AppendingWaitsUntilEveryRowIsShown)
{
    model.fetchMore(QModelIndex());
    EXPECT_EQ(model.appendNewRow(), -1);
    fetchAll();
    EXPECT_EQ(model.appendNewRow(), kMany);
}

TEST_F(GridModelFetch, AnEditInTheMiddleOfAPartlyReadResultIsWritten)
{
    model.fetchMore(QModelIndex());
    ASSERT_TRUE(edit(10, EntryField::Street, u"Арбат"_s));
    ASSERT_TRUE(model.finishPending()) << errors.join(u'\n').toStdString();
    fetchAll();
    EXPECT_EQ(model.rowCount(), kMany);
    EXPECT_EQ(text(10, EntryField::Street), u"Арбат"_s);
    EXPECT_EQ(text(11, EntryField::Street), u"Улица"_s);
}

} // namespace
