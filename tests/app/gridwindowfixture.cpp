#include "tests/app/gridwindowfixture.h"

#include "app/rowindicator.h"

#include <QLineEdit>
#include <QTableView>

using namespace Qt::StringLiterals;

void GridWindowTest::SetUp()
{
    tab = std::make_unique<TabReader>(folder->path(u"history.dat"_s));
    ids << tab->add({u"Иванов"_s, u"Иван"_s, u"Иванович"_s, u"4951111111"_s, u"Ленина"_s, 1, QString(), 10});
    ids << tab->add({u"Петров"_s, u"Пётр"_s, u"Петрович"_s, u"4952222222"_s, u"Мира"_s, 2, u"а"_s, 20});
    ids << tab->add({u"Сидоров"_s, u"Семён"_s, u"Семёнович"_s, u"4953333333"_s, u"Садовая"_s, 3, QString(), 30});
    original = tab->rows();
    openWindow();
    activate();
    checker = std::make_unique<ModelChecker>(grid()->model());
    show(u"select * from tab order by id"_s);
}

void GridWindowTest::TearDown()
{
    checker.reset();
    MainWindowTest::TearDown();
}

void GridWindowTest::show(const QString &statement)
{
    form->queryChannel().run(statement);
    settle();
}

void GridWindowTest::clickCell(int row, int column)
{
    QTableView *view = grid();
    const QModelIndex index = view->model()->index(row, column);
    ASSERT_TRUE(index.isValid()) << row << ',' << column;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    ASSERT_EQ(view->currentIndex(), index);
}

void GridWindowTest::leaveGrid()
{
    QTest::mouseClick(child<QLineEdit>("surnameField"), Qt::LeftButton);
    settle();
}

QString GridWindowTest::cell(int row, int column) const
{
    return grid()->model()->index(row, column).data().toString();
}

QString GridWindowTest::indicator(int row) const
{
    return static_cast<const app::RowIndicator *>(grid()->verticalHeader())->mark(row);
}

int GridWindowTest::rows() const
{
    return grid()->model()->rowCount();
}

int GridWindowTest::currentRow() const
{
    return grid()->currentIndex().row();
}
