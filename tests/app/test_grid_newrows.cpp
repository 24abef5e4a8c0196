#include "tests/app/gridwindowfixture.h"

#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

using GridNewRows = GridWindowTest;

TEST_F(GridNewRows, InsertAddsARowThatIsWrittenWhenLeft)
{
    clickCell(1, Surname);
    pressKey(Qt::Key_Insert);
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(indicator(1), u"*"_s);
    EXPECT_EQ(cell(1, Surname), QString());
    EXPECT_EQ(cell(2, Surname), u"Петров"_s);

    typeText(u"Новиков"_s);
    pressKey(Qt::Key_Down);
    settle();
    const QList<QStringList> stored = tab->rows();
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(stored.last()[Surname], u"Новиков"_s);
    EXPECT_EQ(cell(1, Surname), u"Новиков"_s);
    EXPECT_EQ(indicator(1), QString());
}

TEST_F(GridNewRows, InsertedRowGetsItsIdSoLaterEditsUpdateIt)
{
    clickCell(0, Surname);
    pressKey(Qt::Key_Insert);
    typeText(u"Новиков"_s);
    pressKey(Qt::Key_Down);
    clickCell(0, GivenName);
    typeText(u"Олег"_s);
    pressKey(Qt::Key_Down);
    settle();
    const QList<QStringList> stored = tab->rows();
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(stored.last()[Surname], u"Новиков"_s);
    EXPECT_EQ(stored.last()[GivenName], u"Олег"_s);
}

TEST_F(GridNewRows, DownOnTheLastRowAppends)
{
    clickCell(2, Street);
    pressKey(Qt::Key_Down);
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(grid()->currentIndex().column(), int(Street));
    typeText(u"Арбат"_s);
    pressKey(Qt::Key_Up);
    settle();
    const QList<QStringList> stored = tab->rows();
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(stored.last()[Street], u"Арбат"_s);
}

TEST_F(GridNewRows, UntouchedAppendedRowIsDroppedWhenTheUserLeavesIt)
{
    clickCell(2, Surname);
    pressKey(Qt::Key_Down);
    ASSERT_EQ(rows(), 4);
    pressKey(Qt::Key_Up);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(currentRow(), 2);
    EXPECT_EQ(tab->rows(), original);
}

TEST_F(GridNewRows, UntouchedAppendedRowIsDroppedWhenTheUserLeavesTheGrid)
{
    clickCell(2, Surname);
    pressKey(Qt::Key_Down);
    ASSERT_EQ(rows(), 4);
    leaveGrid();
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(tab->rows(), original);
}

TEST_F(GridNewRows, DownOnAnUntouchedAppendedRowAddsNoOther)
{
    clickCell(2, Surname);
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    EXPECT_EQ(rows(), 4);
    EXPECT_EQ(currentRow(), 3);
}

TEST_F(GridNewRows, EmptyResultOfTabCanBeAppendedTo)
{
    show(u"select * from tab where fam=\"Никто\""_s);
    ASSERT_EQ(rows(), 0);
    grid()->setFocus();
    pressKey(Qt::Key_Down);
    ASSERT_EQ(rows(), 1);
    typeText(u"Белов"_s);
    leaveGrid();
    const QList<QStringList> stored = tab->rows();
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(stored.last()[Surname], u"Белов"_s);
}

TEST_F(GridNewRows, DeletingANewRowWritesNothing)
{
    clickCell(0, Surname);
    pressKey(Qt::Key_Insert);
    typeText(u"Новиков"_s);
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(rows(), 3);
    leaveGrid();
    EXPECT_EQ(tab->rows(), original);
}

TEST_F(GridNewRows, NewRowWithARefusedFlatKeepsItsOtherFields)
{
    clickCell(2, Surname);
    pressKey(Qt::Key_Down);
    typeText(u"Белов"_s);
    clickCell(3, Flat);
    typeText(u"кв"_s);
    pressKey(Qt::Key_Return);
    settle();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(cell(3, Surname), u"Белов"_s);
    EXPECT_EQ(cell(3, Flat), u"кв"_s);
    leaveGrid();
    EXPECT_EQ(tab->rows().size(), 3) << "written with the flat it was refused";

    clickCell(3, Flat);
    typeText(u" "_s);
    pressKey(Qt::Key_Return);
    leaveGrid();
    const QList<QStringList> stored = tab->rows();
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(stored.last()[Surname], u"Белов"_s);
    EXPECT_EQ(stored.last()[Flat], QString());
}

} // namespace
