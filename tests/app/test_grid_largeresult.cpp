#include "tests/app/mainwindowfixture.h"
#include "tests/app/modelchecker.h"
#include "tests/app/tabreader.h"

#include <QScrollBar>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

using GridLargeResult = MainWindowTest;

TEST_F(GridLargeResult, RowsAreReadAsTheUserScrolls)
{
    constexpr int many = 100000;
    TabReader(folder->path(u"history.dat"_s)).addNumbered(many);
    openWindow();
    ModelChecker checker(grid()->model());

    form->queryChannel().run(u"select * from tab order by id"_s);
    settle();
    const int first = grid()->model()->rowCount();
    EXPECT_GT(first, 0);
    EXPECT_LT(first, many);
    EXPECT_LT(form->queryChannel().fetched(), many);

    grid()->scrollToBottom();
    settle();
    grid()->scrollToBottom();
    settle();
    EXPECT_GT(grid()->model()->rowCount(), first);
    EXPECT_LT(grid()->model()->rowCount(), many);
}

} // namespace
