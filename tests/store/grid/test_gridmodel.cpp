// What the grid shows for the results the query channel can hold.
#include "tests/app/gridmodelfixture.h"

using namespace Qt::StringLiterals;
using store::EntryField;

namespace {

using GridModelResults = GridModelTest;

TEST_F(GridModelResults, WithoutAResultOnlyTheColumnsShow)
{
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 8);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
    EXPECT_FALSE(model.isEditable());
    QStringList titles;
    for (int c = 0; c < model.columnCount(); ++c)
        titles << model.headerData(c, Qt::Horizontal).toString();
    // The window titles them; the model names its fields.
    EXPECT_EQ(titles, QStringList({u"fam"_s, u"im"_s, u"ot"_s, u"tele"_s, u"ul"_s, u"dom"_s, u"domd"_s, u"kv"_s}));
}

TEST_F(GridModelResults, RowsOfTabFillTheEightColumns)
{
    show(u"select * from tab order by id"_s);
    fetchAll();
    ASSERT_EQ(model.rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int f = 0; f < store::kEntryFieldCount; ++f)
            EXPECT_EQ(text(r, f), original[r][f]) << r << ',' << f;
    EXPECT_TRUE(model.isEditable());
}

TEST_F(GridModelResults, NumbersStandOnTheRight)
{
    show(u"select * from tab"_s);
    fetchAll();
    const auto alignment = [&](int field) { return model.index(0, field).data(Qt::TextAlignmentRole).toInt(); };
    EXPECT_EQ(alignment(EntryField::House) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(alignment(EntryField::Flat) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(alignment(EntryField::Surname) & Qt::AlignHorizontal_Mask, 0);
}

TEST_F(GridModelResults, FieldsTheResultLacksStayBlank)
{
    show(u"select KV, Fam from tab order by id"_s);
    fetchAll();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(text(1, EntryField::Surname), u"Петров"_s);
    EXPECT_EQ(text(1, EntryField::Flat), u"20"_s);
    EXPECT_EQ(text(1, EntryField::GivenName), QString());
    EXPECT_EQ(text(1, EntryField::House), QString());
}

TEST_F(GridModelResults, ResultWithNoGridColumnShowsABlankRow)
{
    show(u"select s,tel from param"_s);
    fetchAll();
    ASSERT_EQ(model.rowCount(), 1);
    for (int f = 0; f < store::kEntryFieldCount; ++f)
        EXPECT_EQ(text(0, f), QString()) << f;
}

TEST_F(GridModelResults, GenderCheckFillsOnlyTheNameColumn)
{
    show(u"select * from im where id=1"_s);
    fetchAll();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_FALSE(text(0, EntryField::GivenName).isEmpty());
    EXPECT_EQ(text(0, EntryField::Surname), QString());
    EXPECT_FALSE(model.isEditable());
}

TEST_F(GridModelResults, EmptyResultShowsNoRows)
{
    show(u"select * from tab where fam=\"Никто\""_s);
    fetchAll();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(model.isEditable());
}

TEST_F(GridModelResults, ClosingOrExecutingEmptiesTheGrid)
{
    show(u"select * from tab"_s);
    fetchAll();
    ASSERT_EQ(model.rowCount(), 3);
    channel.close();
    EXPECT_EQ(model.rowCount(), 0);

    show(u"select * from tab"_s);
    fetchAll();
    channel.exec(u"update tab set ul=\"Новая\" where id=0"_s);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
}

TEST_F(GridModelResults, OnlyResultsOfTabWithIdAreEditable)
{
    const std::pair<QString, bool> cases[] = {
        {u"select * from tab"_s, true},
        {u"select id, fam from tab"_s, true},
        {u"select fam, im from tab"_s, false},
        {u"select * from im"_s, false},
        {u"select count(*) as m from tab"_s, false},
    };
    for (const auto &[statement, editable] : cases) {
        show(statement);
        fetchAll();
        EXPECT_EQ(model.isEditable(), editable) << statement.toStdString();
        EXPECT_EQ(bool(model.flags(model.index(0, EntryField::Surname)) & Qt::ItemIsEditable), editable)
            << statement.toStdString();
    }
}

TEST_F(GridModelResults, OnlyColumnsOfTheResultCanBeEdited)
{
    show(u"select id, fam from tab"_s);
    fetchAll();
    EXPECT_TRUE(model.flags(model.index(0, EntryField::Surname)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, EntryField::GivenName)) & Qt::ItemIsEditable);
    EXPECT_FALSE(edit(0, EntryField::GivenName, u"Олег"_s));
}

} // namespace
