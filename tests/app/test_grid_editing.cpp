#include "tests/app/gridwindowfixture.h"

#include <QAction>
#include <QApplication>
#include <QTableView>

using namespace Qt::StringLiterals;
using Kind = app::MessageBoxes::Kind;

namespace {

using GridEditing = GridWindowTest;

TEST_F(GridEditing, TypedTextIsWrittenWhenTheUserLeavesTheRow)
{
    clickCell(0, Surname);
    typeText(u"Смирнов"_s);
    EXPECT_EQ(tab->rows(), original) << "written before the row was left";

    pressKey(Qt::Key_Down);
    settle();
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(cell(0, Surname), u"Смирнов"_s);
    QStringList changed = original[0];
    changed[Surname] = u"Смирнов"_s;
    EXPECT_EQ(tab->rows(), QList<QStringList>({changed, original[1], original[2]}));
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(GridEditing, ChangedRowIsWrittenWhenTheUserLeavesTheGrid)
{
    clickCell(1, Street);
    typeText(u"Тверская"_s);
    leaveGrid();
    EXPECT_EQ(tab->row(ids[1])[Street], u"Тверская"_s);
    EXPECT_EQ(tab->row(ids[0]), original[0]);
}

TEST_F(GridEditing, ChangedRowIsKeptWhenTheWindowCloses)
{
    clickCell(0, GivenName);
    typeText(u"Игорь"_s);
    child<QAction>("exitAction")->trigger();
    settle();
    EXPECT_EQ(tab->row(ids[0])[GivenName], u"Игорь"_s);
}

TEST_F(GridEditing, IndicatorMarksTheCurrentRowAndTheEditedOne)
{
    clickCell(1, Surname);
    EXPECT_EQ(QStringList({indicator(0), indicator(1), indicator(2)}), QStringList({u""_s, u"▶"_s, u""_s}));
    typeText(u"Х"_s);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(indicator(1), u"✎"_s);
    pressKey(Qt::Key_Down);
    settle();
    EXPECT_EQ(QStringList({indicator(0), indicator(1), indicator(2)}), QStringList({u""_s, u""_s, u"▶"_s}));

    // The selection is shown only while the grid has the focus.
    leaveGrid();
    const QPalette colours = grid()->palette();
    EXPECT_EQ(colours.color(QPalette::Inactive, QPalette::Highlight), colours.color(QPalette::Inactive, QPalette::Base));
}

TEST_F(GridEditing, MovingWithinTheRowWritesNothingYet)
{
    clickCell(2, Surname);
    typeText(u"Кузнецов"_s);
    pressKey(Qt::Key_Tab);
    typeText(u"Илья"_s);
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(tab->rows(), original);

    clickCell(2, Flat);
    typeText(u"42"_s);
    pressKey(Qt::Key_Up);
    settle();
    EXPECT_EQ(tab->row(ids[2]), QStringList({u"Кузнецов"_s, u"Илья"_s, original[2][Patronymic], original[2][Phone],
                                             original[2][Street], u"3"_s, QString(), u"42"_s}));
}

TEST_F(GridEditing, EscapeForgetsTheEditsOfTheRow)
{
    clickCell(0, Surname);
    typeText(u"Х"_s);
    pressKey(Qt::Key_Return);
    ASSERT_EQ(cell(0, Surname), u"Х"_s);
    pressKey(Qt::Key_Escape);
    EXPECT_EQ(cell(0, Surname), u"Иванов"_s);
    pressKey(Qt::Key_Down);
    settle();
    EXPECT_EQ(tab->rows(), original);
}

TEST_F(GridEditing, LettersInTheHouseStayForTheUserToCorrect)
{
    clickCell(0, Surname);
    typeText(u"Смирнов"_s);
    clickCell(0, House);
    typeText(u"12а"_s);
    pressKey(Qt::Key_Return);
    settle();

    EXPECT_EQ(boxes.texts(), QStringList({u"В поле «Дом» нужно целое число."_s}));
    EXPECT_EQ(boxes.shown().first().kind, Kind::Failure);
    EXPECT_EQ(cell(0, House), u"12а"_s);
    EXPECT_EQ(cell(0, Surname), u"Смирнов"_s);
    pressKey(Qt::Key_Down);
    settle();
    EXPECT_EQ(currentRow(), 0) << "left a row that cannot be written";
    EXPECT_EQ(tab->rows(), original);

    clickCell(0, House);
    pressKey(Qt::Key_F2);
    pressKey(Qt::Key_End);
    pressKey(Qt::Key_Backspace);
    pressKey(Qt::Key_Down);
    settle();
    EXPECT_EQ(tab->row(ids[0])[Surname], u"Смирнов"_s);
    EXPECT_EQ(tab->row(ids[0])[House], u"12"_s);
    EXPECT_EQ(tab->row(ids[1]), original[1]);
}

TEST_F(GridEditing, FlatBeyondTheNumberRangeIsRefused)
{
    clickCell(1, Flat);
    typeText(u"99999999999"_s);
    pressKey(Qt::Key_Down);
    settle();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().first().text.contains(u"«Квартира»"_s));
    EXPECT_EQ(tab->rows(), original);
}

TEST_F(GridEditing, EmptyHouseIsStoredAsNoNumber)
{
    clickCell(1, House);
    typeText(u" "_s);
    pressKey(Qt::Key_Down);
    settle();
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(tab->row(ids[1])[House], QString());
}

TEST_F(GridEditing, CtrlDeleteAsksAndDeletes)
{
    clickCell(1, Surname);
    pressKey(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown().size(), 1);
    const auto &box = boxes.shown().first();
    EXPECT_EQ(box.kind, Kind::Confirm);
    EXPECT_EQ(box.caption, u"Confirm"_s);
    EXPECT_EQ(box.text, u"Delete record?"_s);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, Surname), u"Сидоров"_s);
    EXPECT_EQ(tab->rows(), QList<QStringList>({original[0], original[2]}));
}

TEST_F(GridEditing, CancelledDeleteKeepsTheRow)
{
    boxes.answerNext(QMessageBox::Cancel);
    clickCell(1, Surname);
    pressKey(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(tab->rows(), original);
}

// The cell's editor has its own Ctrl+Delete (delete to the end of the word); the grid's comes first,
// and what was being typed goes with the row, or, when the user keeps the row, is dropped.
class CtrlDeleteWhileTyping : public GridWindowTest, public testing::WithParamInterface<QMessageBox::StandardButton> {};

TEST_P(CtrlDeleteWhileTyping, AsksAndDropsTheUnfinishedEdit)
{
    const bool deletes = GetParam() == QMessageBox::Ok;
    const auto typing = [this] { return grid()->viewport()->isAncestorOf(QApplication::focusWidget()); };
    boxes.answerNext(GetParam());
    clickCell(1, Surname);
    typeText(u"Смирнов"_s);
    ASSERT_TRUE(typing());
    pressKey(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().kind, Kind::Confirm);
    EXPECT_FALSE(typing());
    leaveGrid();
    EXPECT_EQ(tab->rows(), deletes ? QList<QStringList>({original[0], original[2]}) : original);
    EXPECT_EQ(cell(1, Surname), deletes ? u"Сидоров"_s : u"Петров"_s);
}

INSTANTIATE_TEST_SUITE_P(, CtrlDeleteWhileTyping, testing::Values(QMessageBox::Ok, QMessageBox::Cancel),
                         [](const auto &info) { return std::string(info.param == QMessageBox::Ok ? "Confirmed" : "Cancelled"); });

TEST_F(GridEditing, RowDeletedElsewhereIsReportedAndLeavesTheGrid)
{
    clickCell(0, Surname);
    typeText(u"Смирнов"_s);
    tab->remove(ids[0]);
    pressKey(Qt::Key_Down);
    settle();

    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().kind, Kind::Failure);
    EXPECT_TRUE(boxes.shown().first().text.contains(u"не сохранена"_s));
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(currentRow(), 0);
    EXPECT_EQ(cell(0, Surname), original[1][Surname]);
    EXPECT_EQ(tab->rows(), QList<QStringList>({original[1], original[2]}));
}

TEST_F(GridEditing, ResultsOfOtherTablesAreReadOnly)
{
    show(u"select * from im"_s);
    ASSERT_GT(rows(), 0);
    clickCell(0, GivenName);
    const QString before = cell(0, GivenName);
    typeText(u"Х"_s);
    pressKey(Qt::Key_Insert);
    pressKey(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(cell(0, GivenName), before);
    EXPECT_FALSE(grid()->model()->flags(grid()->model()->index(0, GivenName)) & Qt::ItemIsEditable);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(GridEditing, ResultWithoutIdIsReadOnly)
{
    show(u"select fam, im from tab"_s);
    ASSERT_EQ(rows(), 3);
    EXPECT_FALSE(grid()->model()->flags(grid()->model()->index(0, Surname)) & Qt::ItemIsEditable);
    EXPECT_EQ(cell(0, Patronymic), QString());
}

TEST_F(GridEditing, ANewResultWritesEditsNotYetLeftBehind)
{
    clickCell(2, Street);
    typeText(u"Арбат"_s);
    pressKey(Qt::Key_Return);
    show(u"select * from tab where id=0"_s);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(tab->row(ids[2])[Street], u"Арбат"_s);
}

} // namespace
