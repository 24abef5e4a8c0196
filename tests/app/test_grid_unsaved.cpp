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

enum class Cause { DeletedElsewhere, LettersInTheHouse };
enum class Action { CloseWindow, Search };

struct Case {
    Cause cause;
    Action action;
    QMessageBox::StandardButton answer;
};

class UnsavedRow : public GridWindowTest, public ::testing::WithParamInterface<Case> {
protected:
    // Leaves the row edited and unwritable; returns the column edited and what was typed.
    std::pair<int, QString> spoilRow()
    {
        if (GetParam().cause == Cause::DeletedElsewhere) {
            clickCell(0, Surname);
            typeText(u"Смирнов"_s);
            pressKey(Qt::Key_Return);
            tab->remove(ids[0]);
            return {Surname, u"Смирнов"_s};
        }
        clickCell(0, House);
        typeText(u"12а"_s); // the editor stays open
        return {House, u"12а"_s};
    }
    void act()
    {
        if (GetParam().action == Action::CloseWindow) {
            child<QAction>("exitAction")->trigger();
        } else {
            child<QLineEdit>("surnameField")->setText(u"петров"_s);
            QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
        }
    }
};

TEST_P(UnsavedRow, UserDecidesInOneBoxWhileTheWindowIsThere)
{
    const auto [column, typed] = spoilRow();
    boxes.answerNext(GetParam().answer);
    act();
    // Asked before the action went on, not by a report queued behind it.
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    settle();
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    const auto &box = boxes.shown().first();
    EXPECT_EQ(box.kind, Kind::Unsaved);
    EXPECT_TRUE(box.text.contains(GetParam().cause == Cause::DeletedElsewhere ? u"не сохранена"_s
                                                                              : u"В поле «Дом» нужно целое число."_s))
        << box.text.toStdString();

    const bool closing = GetParam().action == Action::CloseWindow;
    if (GetParam().answer == QMessageBox::Cancel) {
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(currentRow(), 0);
        EXPECT_EQ(cell(0, column), typed);
        EXPECT_TRUE(messagePanel().isEmpty()) << "searched anyway";
    } else {
        EXPECT_EQ(form->isVisible(), !closing);
        if (!closing) {
            EXPECT_FALSE(messagePanel().isEmpty()) << "the search did not run";
        } else {
            EXPECT_EQ(cell(0, column), original[0][column]);
        }
    }
    if (GetParam().cause == Cause::LettersInTheHouse) {
        EXPECT_EQ(tab->rows(), original);
    }
}

INSTANTIATE_TEST_SUITE_P(, UnsavedRow,
                         ::testing::Values(Case{Cause::DeletedElsewhere, Action::CloseWindow, QMessageBox::Cancel},
                                           Case{Cause::DeletedElsewhere, Action::CloseWindow, QMessageBox::Discard},
                                           Case{Cause::DeletedElsewhere, Action::Search, QMessageBox::Cancel},
                                           Case{Cause::DeletedElsewhere, Action::Search, QMessageBox::Discard},
                                           Case{Cause::LettersInTheHouse, Action::CloseWindow, QMessageBox::Cancel},
                                           Case{Cause::LettersInTheHouse, Action::CloseWindow, QMessageBox::Discard},
                                           Case{Cause::LettersInTheHouse, Action::Search, QMessageBox::Cancel},
                                           Case{Cause::LettersInTheHouse, Action::Search, QMessageBox::Discard}));

} // namespace
