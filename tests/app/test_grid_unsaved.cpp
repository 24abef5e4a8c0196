// A row the grid cannot write is never lost behind the user's back: closing the window or searching
// asks first, in one box, while the window is still there.
#include "tests/app/gridwindowfixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;
using Kind = app::MessageBoxes::Kind;

namespace {

enum class Action { CloseWindow, Search };

class LeavingTheGrid : public GridWindowTest {
protected:
    void act(Action action)
    {
        if (action == Action::CloseWindow) {
            child<QAction>("exitAction")->trigger();
        } else {
            child<QLineEdit>("surnameField")->setText(u"петров"_s);
            QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
        }
    }
};

struct Case {
    Action action;
    QMessageBox::StandardButton answer;
};

class UnsavedRow : public LeavingTheGrid, public ::testing::WithParamInterface<Case> {};

// Letters typed into the house: the row cannot be written until they are corrected.
TEST_P(UnsavedRow, UserDecidesInOneBoxWhileTheWindowIsThere)
{
    clickCell(0, House);
    typeText(u"12а"_s); // the editor stays open
    boxes.answerNext(GetParam().answer);
    act(GetParam().action);
    // Asked before the action went on, not by a report queued behind it.
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    settle();
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    const auto &box = boxes.shown().first();
    EXPECT_EQ(box.kind, Kind::Unsaved);
    EXPECT_TRUE(box.text.contains(u"В поле «Дом» нужно целое число."_s)) << box.text.toStdString();

    const bool closing = GetParam().action == Action::CloseWindow;
    if (GetParam().answer == QMessageBox::Cancel) {
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(currentRow(), 0);
        EXPECT_EQ(cell(0, House), u"12а"_s);
        EXPECT_TRUE(messagePanel().isEmpty()) << "searched anyway";
    } else {
        EXPECT_EQ(form->isVisible(), !closing);
        if (!closing) {
            EXPECT_FALSE(messagePanel().isEmpty()) << "the search did not run";
        } else {
            EXPECT_EQ(cell(0, House), original[0][House]);
        }
    }
    EXPECT_EQ(tab->rows(), original);
}

INSTANTIATE_TEST_SUITE_P(, UnsavedRow,
                         ::testing::Values(Case{Action::CloseWindow, QMessageBox::Cancel},
                                           Case{Action::CloseWindow, QMessageBox::Discard},
                                           Case{Action::Search, QMessageBox::Cancel},
                                           Case{Action::Search, QMessageBox::Discard}));

class RefusedRow : public LeavingTheGrid, public ::testing::WithParamInterface<Action> {};

// An edited row whose entry was deleted elsewhere can never be written: it leaves the grid, and the
// user is told so before the window closes or searches, not by a box queued behind that.
TEST_P(RefusedRow, IsToldWhileTheWindowIsThere)
{
    clickCell(0, Surname);
    typeText(u"Смирнов"_s);
    pressKey(Qt::Key_Return);
    tab->remove(ids[0]);
    act(GetParam());
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    settle();
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(boxes.shown().first().kind, Kind::Failure);
    EXPECT_TRUE(boxes.shown().first().text.contains(u"не сохранена"_s)) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(form->isVisible(), GetParam() == Action::Search);
    EXPECT_EQ(tab->rows(), QList<QStringList>({original[1], original[2]}));
}

INSTANTIATE_TEST_SUITE_P(, RefusedRow, ::testing::Values(Action::CloseWindow, Action::Search));

} // namespace
