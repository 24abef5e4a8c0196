// Changing, adding and deleting rows of `tab` through the grid's model.
#include "tests/app/gridmodelfixture.h"

using namespace Qt::StringLiterals;
using store::EntryField;

namespace {

class GridModelEditing : public GridModelTest {
protected:
    void SetUp() override
    {
        show(u"select * from tab order by id"_s);
        fetchAll();
    }
    QStringList withField(QStringList row, int field, const QString &text)
    {
        row[field] = text;
        return row;
    }
};

TEST_F(GridModelEditing, AnEditWaitsUntilTheRowIsFinished)
{
    ASSERT_TRUE(edit(0, EntryField::Surname, u"Смирнов"_s));
    EXPECT_EQ(model.pendingRow(), 0);
    EXPECT_EQ(text(0, EntryField::Surname), u"Смирнов"_s);
    EXPECT_EQ(tab.rows(), original);

    ASSERT_TRUE(model.finishPending());
    EXPECT_EQ(model.pendingRow(), -1);
    EXPECT_EQ(tab.rows(), QList<QStringList>({withField(original[0], EntryField::Surname, u"Смирнов"_s), original[1], original[2]}));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(GridModelEditing, RetypingTheSameTextIsNoEdit)
{
    ASSERT_TRUE(edit(0, EntryField::Surname, u"Иванов"_s));
    ASSERT_TRUE(edit(0, EntryField::House, u"01"_s));
    ASSERT_TRUE(edit(0, EntryField::Fraction, QString()));
    EXPECT_EQ(model.pendingRow(), -1);
}

TEST_F(GridModelEditing, LettersInANumberColumnAreKeptButNeverWritten)
{
    EXPECT_FALSE(edit(1, EntryField::House, u"12а"_s));
    EXPECT_EQ(errors, QStringList({u"В поле «Дом» нужно целое число."_s}));
    EXPECT_EQ(text(1, EntryField::House), u"12а"_s) << "kept for the user to correct";
    EXPECT_FALSE(model.finishPending());
    EXPECT_EQ(errors.size(), 2);
    EXPECT_EQ(model.pendingRow(), 1);

    ASSERT_TRUE(edit(1, EntryField::House, u"12"_s));
    EXPECT_TRUE(model.finishPending());
    EXPECT_EQ(text(1, EntryField::House), u"12"_s);
}

TEST_F(GridModelEditing, NumberColumnsHoldThirtyTwoBits)
{
    EXPECT_FALSE(edit(1, EntryField::Flat, u"2147483648"_s));
    EXPECT_FALSE(edit(1, EntryField::House, u"-2147483649"_s));
    EXPECT_FALSE(edit(1, EntryField::House, u"1.5"_s));
    EXPECT_TRUE(edit(1, EntryField::Flat, u"2147483647"_s));
    EXPECT_TRUE(edit(1, EntryField::House, u"-2147483648"_s));
    ASSERT_TRUE(model.finishPending());
    EXPECT_EQ(tab.row(ids[1])[EntryField::Flat], u"2147483647"_s);
    EXPECT_EQ(tab.row(ids[1])[EntryField::House], u"-2147483648"_s);
    EXPECT_EQ(errors.size(), 3);
}

TEST_F(GridModelEditing, BlankNumberIsStoredAsNoNumber)
{
    ASSERT_TRUE(edit(2, EntryField::Flat, u"  "_s));
    ASSERT_TRUE(model.finishPending());
    EXPECT_EQ(tab.row(ids[2])[EntryField::Flat], QString());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(GridModelEditing, EditingAnotherRowFinishesThePendingOne)
{
    ASSERT_TRUE(edit(0, EntryField::Street, u"Арбат"_s));
    ASSERT_TRUE(edit(2, EntryField::Street, u"Тверская"_s));
    EXPECT_EQ(model.pendingRow(), 2);
    EXPECT_EQ(tab.row(ids[0])[EntryField::Street], u"Арбат"_s);
    EXPECT_EQ(tab.row(ids[2]), original[2]);
}

TEST_F(GridModelEditing, OnlyTheChangedRowIsAnnounced)
{
    ASSERT_TRUE(edit(1, EntryField::GivenName, u"Павел"_s));
    QList<std::pair<int, int>> announced;
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &from, const QModelIndex &to) { announced.append({from.row(), to.row()}); });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { announced.append({-1, -1}); });
    ASSERT_TRUE(model.finishPending());
    EXPECT_EQ(announced, (QList<std::pair<int, int>>{{1, 1}}));
}

TEST_F(GridModelEditing, NewRowIsInsertedWithItsOwnId)
{
    ASSERT_EQ(model.insertNewRow(1), 1);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_TRUE(model.isPendingNew());
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), u"*"_s);
    EXPECT_EQ(text(2, EntryField::Surname), u"Петров"_s);

    ASSERT_TRUE(edit(1, EntryField::Surname, u"Новиков"_s));
    ASSERT_TRUE(model.finishPending());
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), QString());
    QList<QStringList> stored = tab.rows();
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(stored.last()[EntryField::Surname], u"Новиков"_s);

    // Later edits of the row update that entry rather than adding another.
    ASSERT_TRUE(edit(1, EntryField::GivenName, u"Олег"_s));
    ASSERT_TRUE(model.finishPending());
    stored = tab.rows();
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(stored.last()[EntryField::GivenName], u"Олег"_s);
}

TEST_F(GridModelEditing, InsertingBelowAnUntouchedNewRowKeepsThePlace)
{
    ASSERT_EQ(model.insertNewRow(0), 0);
    // The untouched row 0 goes, so the row asked for (former row 2, "Петров") is now row 1.
    ASSERT_EQ(model.insertNewRow(2), 1);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(text(0, EntryField::Surname), u"Иванов"_s);
    EXPECT_EQ(text(2, EntryField::Surname), u"Петров"_s);
}

TEST_F(GridModelEditing, DeleteRemovesTheEntry)
{
    ASSERT_TRUE(model.deleteRow(1));
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(text(1, EntryField::Surname), u"Сидоров"_s);
    EXPECT_EQ(tab.rows(), QList<QStringList>({original[0], original[2]}));
}

TEST_F(GridModelEditing, DeletingTheRowBeingEditedDeletesIt)
{
    ASSERT_TRUE(edit(1, EntryField::Surname, u"Смирнов"_s));
    ASSERT_TRUE(model.deleteRow(1));
    EXPECT_EQ(model.pendingRow(), -1);
    EXPECT_EQ(tab.rows(), QList<QStringList>({original[0], original[2]}));
}

TEST_F(GridModelEditing, RowDeletedElsewhereIsReportedAndLeavesTheGrid)
{
    ASSERT_TRUE(edit(0, EntryField::Surname, u"Смирнов"_s));
    tab.remove(ids[0]);
    EXPECT_FALSE(model.finishPending());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(model.pendingRow(), -1);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(text(0, EntryField::Surname), original[1][EntryField::Surname]);
    EXPECT_EQ(tab.rows(), QList<QStringList>({original[1], original[2]}));
}

TEST_F(GridModelEditing, CellChangedElsewhereIsNotOverwritten)
{
    ASSERT_TRUE(edit(1, EntryField::GivenName, u"Павел"_s));
    tab.sql(u"update tab set im='Другой' where id="_s + QString::number(ids[1]));
    EXPECT_FALSE(model.finishPending());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(u"изменил другой пользователь"_s)) << errors.first().toStdString();
    EXPECT_EQ(tab.row(ids[1])[EntryField::GivenName], u"Другой"_s);
    EXPECT_EQ(model.pendingRow(), -1);
    EXPECT_EQ(text(1, EntryField::GivenName), u"Другой"_s);
    EXPECT_EQ(tab.row(ids[0]), original[0]);
    EXPECT_EQ(tab.row(ids[2]), original[2]);
}

TEST_F(GridModelEditing, ChangeOfLetterCaseElsewhereCountsAsAChange)
{
    ASSERT_TRUE(edit(1, EntryField::GivenName, u"Павел"_s));
    tab.sql(u"update tab set im='пётр' where id="_s + QString::number(ids[1]));
    EXPECT_FALSE(model.finishPending());
    EXPECT_EQ(tab.row(ids[1])[EntryField::GivenName], u"пётр"_s);
}

TEST_F(GridModelEditing, ChangeOfAnotherCellElsewhereIsNotOverwrittenUnseen)
{
    ASSERT_TRUE(edit(1, EntryField::GivenName, u"Павел"_s));
    ASSERT_TRUE(edit(1, EntryField::Flat, u"21"_s));
    tab.sql(u"update tab set ul='Новая' where id="_s + QString::number(ids[1]));
    EXPECT_FALSE(model.finishPending());
    const QStringList now = withField(original[1], EntryField::Street, u"Новая"_s);
    EXPECT_EQ(tab.row(ids[1]), now);
    for (int field = 0; field < store::kEntryFieldCount; ++field)
        EXPECT_EQ(text(1, field), now[field]) << field;
}

TEST_F(GridModelEditing, EmptyCellsAreFoundUnchanged)
{
    ASSERT_TRUE(edit(0, EntryField::Fraction, u"б"_s));
    ASSERT_TRUE(model.finishPending()) << errors.join(u'\n').toStdString();
    ASSERT_TRUE(edit(0, EntryField::Fraction, QString()));
    ASSERT_TRUE(model.finishPending()) << errors.join(u'\n').toStdString();
    ASSERT_TRUE(edit(0, EntryField::Fraction, u"в"_s));
    ASSERT_TRUE(model.finishPending()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(tab.row(ids[0])[EntryField::Fraction], u"в"_s);
}

TEST_F(GridModelEditing, DeletedAndChangedElsewhereAreToldApart)
{
    ASSERT_TRUE(edit(1, EntryField::Surname, u"Соколов"_s));
    tab.sql(u"update tab set fam='Орлов' where id="_s + QString::number(ids[1]));
    EXPECT_FALSE(model.finishPending());
    ASSERT_TRUE(edit(1, EntryField::Surname, u"Соколов"_s));
    tab.remove(ids[1]);
    EXPECT_FALSE(model.finishPending());
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].contains(u"изменил"_s)) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains(u"удалили"_s)) << errors[1].toStdString();
}

TEST_F(GridModelEditing, StoreRefusalIsReportedAndOtherRowsStay)
{
    tab.sql(u"create trigger refuse before update on tab begin select raise(abort, 'refused by the disk'); end"_s);
    ASSERT_TRUE(edit(2, EntryField::Street, u"Арбат"_s));
    EXPECT_FALSE(model.finishPending());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(u"refused by the disk"_s)) << errors.first().toStdString();
    EXPECT_EQ(model.pendingRow(), 2);
    EXPECT_EQ(tab.rows(), original);
    EXPECT_EQ(text(0, EntryField::Surname), u"Иванов"_s);
}

TEST_F(GridModelEditing, ReadOnlyResultsRefuseEveryChangeQuietly)
{
    show(u"select fam, im from tab"_s);
    fetchAll();
    EXPECT_FALSE(edit(0, EntryField::Surname, u"Смирнов"_s));
    EXPECT_EQ(model.insertNewRow(0), -1);
    EXPECT_EQ(model.appendNewRow(), -1);
    EXPECT_FALSE(model.deleteRow(0));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(tab.rows(), original);
}

} // namespace
