#include "tests/app/mainwindowfixture.h"
#include "tests/app/tabreader.h"
#include "app/searchfieldnames.h"

#include "app/errorhandler.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

const QColor red(255, 0, 0);

class SearchFields : public MainWindowTest {
protected:
    // n counts from 1, surname first.
    QLineEdit *edit(int n) const { return child<QLineEdit>(app::kSearchFieldNames[n - 1]); }
    QColor textColour(int n) const { return edit(n)->palette().color(QPalette::Text); }
    QColor windowText(int n) const { return QApplication::palette(edit(n)).color(QPalette::Text); }
    void click(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void typeInto(int n, const QString &text)
    {
        edit(n)->setFocus(Qt::MouseFocusReason);
        typeText(text);
    }
};

TEST_F(SearchFields, RejectedSurnameTurnsRedWithItsMessage)
{
    openWindow();
    activate();
    typeInto(1, u"Ivanov"_s);
    click("searchButton");
    EXPECT_EQ(messagePanel(), u"Неверный формат ввода: фамилия."_s);
    EXPECT_EQ(textColour(1), red);
    EXPECT_NE(textColour(2), red);
}

TEST_F(SearchFields, TypingInARedFieldTakesOnlyItsRedAway)
{
    openWindow();
    activate();
    typeInto(1, u"Ivanov"_s);
    typeInto(2, u"Ivan"_s);
    click("searchButton");
    ASSERT_EQ(textColour(1), red);
    ASSERT_EQ(textColour(2), red);

    typeInto(1, u"a"_s);
    EXPECT_EQ(textColour(1), windowText(1));
    EXPECT_EQ(textColour(2), red);
}

TEST_F(SearchFields, ClearEmptiesEveryFieldAndTheMessageButKeepsTheRows)
{
    TabReader(folder->path(u"history.dat"_s)).add({u"Иванов"_s, u"Иван"_s, u"Иванович"_s, u"4951234567"_s, u"Ленина"_s, 1, QString(), 2});
    openWindow();
    activate();
    form->queryChannel().run(u"select * from tab"_s);
    settle();
    ASSERT_EQ(grid()->model()->rowCount(), 1);

    for (int n = 1; n <= 8; ++n)
        typeInto(n, u"Q"_s);
    click("searchButton");
    ASSERT_FALSE(messagePanel().isEmpty());
    ASSERT_EQ(textColour(1), red);

    click("clearButton");
    for (int n = 1; n <= 8; ++n) {
        EXPECT_TRUE(edit(n)->text().isEmpty()) << n;
        EXPECT_EQ(textColour(n), windowText(n)) << n;
    }
    EXPECT_TRUE(messagePanel().isEmpty());
    EXPECT_EQ(grid()->model()->rowCount(), 1);
}

TEST_F(SearchFields, FoundEntriesAppearInTheGrid)
{
    TabReader tab(folder->path(u"history.dat"_s));
    tab.add({u"Иванов"_s, u"Иван"_s, u"Иванович"_s, u"4951234567"_s, u"Ленина"_s, 12, QString(), 5});
    tab.add({u"Петров"_s, u"Пётр"_s, u"Петрович"_s, u"4957654321"_s, u"Мира"_s, 3, QString(), 7});
    openWindow();
    activate();
    typeInto(1, u"иванов"_s);
    click("searchButton");
    settle();
    EXPECT_EQ(messagePanel(), u"Найдено: 1"_s);
    const QAbstractItemModel *model = grid()->model();
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->index(0, 0).data().toString(), u"Иванов"_s);
    EXPECT_EQ(model->index(0, 5).data().toString(), u"12"_s);
    EXPECT_EQ(model->index(0, 7).data().toString(), u"5"_s);
}

TEST_F(SearchFields, StoreFailureGoesToTheDefaultErrorHandler)
{
    folder->write(u"history.dat"_s, "this is no database");
    openWindow();
    activate();
    typeInto(1, u"Иванов"_s);
    click("searchButton");
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().kind, app::MessageBoxes::Kind::Failure);
    EXPECT_EQ(boxes.shown().first().caption, app::applicationTitle());
    EXPECT_TRUE(form->isVisible());
}

} // namespace
