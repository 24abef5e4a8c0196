#include "tests/app/mainwindowfixture.h"
#include "tests/app/modelchecker.h"
#include "tests/app/tabreader.h"
#include "app/searchfieldnames.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

const QColor red(255, 0, 0);

// "Найти" driven as a user would: Cyrillic typed key by key, the button clicked, then the status
// bar, the field colours and the grid read back. The window reseeds from the clock, so these tests
// check what holds for every draw.
class SearchWindow : public MainWindowTest {
protected:
    void open()
    {
        openWindow();
        activate();
        checker = std::make_unique<ModelChecker>(grid()->model());
    }
    void TearDown() override
    {
        checker.reset();
        MainWindowTest::TearDown();
    }
    // n counts from 1, surname first.
    QLineEdit *edit(int n) const { return child<QLineEdit>(app::kSearchFieldNames[n - 1]); }
    bool isRed(int n) const { return edit(n)->palette().color(QPalette::Text) == red; }
    void type(int n, const QString &text)
    {
        edit(n)->setFocus(Qt::MouseFocusReason);
        typeText(text);
    }
    void find()
    {
        QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
        settle();
    }
    QString cell(int row, int column) const { return grid()->model()->index(row, column).data().toString(); }
    int rows() const { return grid()->model()->rowCount(); }

    std::unique_ptr<ModelChecker> checker;
};

TEST_F(SearchWindow, InventedEntriesAreShownCountedAndFoundAgain)
{
    open();
    type(1, u"петрова"_s);
    type(2, u"анна"_s);
    type(7, u"а\"б"_s);
    find();

    const QString message = messagePanel();
    ASSERT_TRUE(message.startsWith(u"Найдено: "_s)) << message.toStdString();
    const int made = message.mid(9).toInt();
    EXPECT_LE(made, 4);
    EXPECT_EQ(TabReader(folder->path(u"history.dat"_s)).rows().size(), made);
    EXPECT_EQ(rows(), made);
    for (int row = 0; row < rows(); ++row) {
        EXPECT_EQ(cell(row, 0), u"Петрова"_s);
        EXPECT_EQ(cell(row, 1), u"Анна"_s);
        EXPECT_EQ(cell(row, 6), u"а\"б"_s);
    }
    for (int n = 1; n <= 8; ++n)
        EXPECT_FALSE(isRed(n)) << n;

    if (made == 0)
        return;
    find();
    EXPECT_EQ(messagePanel(), message);
    EXPECT_EQ(rows(), made);
    EXPECT_EQ(TabReader(folder->path(u"history.dat"_s)).rows().size(), made);
}

TEST_F(SearchWindow, RejectedStreetTurnsRedAndTheGridKeepsItsRows)
{
    TabReader(folder->path(u"history.dat"_s)).add({u"Иванов"_s, u"Иван"_s, u"Иванович"_s, u"4951234567"_s, u"Ленина"_s, 12, QString(), 5});
    open();
    type(1, u"Иванов"_s);
    find();
    ASSERT_EQ(messagePanel(), u"Найдено: 1"_s);
    ASSERT_EQ(rows(), 1);

    type(5, u"Ленина 5"_s);
    find();
    EXPECT_EQ(messagePanel(), u"Неверный формат ввода: улица."_s);
    EXPECT_TRUE(isRed(5));
    EXPECT_FALSE(isRed(1));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 4), u"Ленина"_s);
}

TEST_F(SearchWindow, HexadecimalHouseFindsTheDecimalHouse)
{
    TabReader(folder->path(u"history.dat"_s)).add({u"Ёлкин"_s, u"Ёж"_s, QString(), u"1"_s, u"8-Марта"_s, 12, QString(), 5});
    open();
    type(1, u"ёлкин"_s);
    type(6, u"$C"_s);
    find();
    EXPECT_EQ(messagePanel(), u"Найдено: 1"_s);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 0), u"Ёлкин"_s);
    EXPECT_EQ(cell(0, 5), u"12"_s);
}

TEST_F(SearchWindow, PhoneNumberIsInventedOnceThenFound)
{
    TabReader(folder->path(u"history.dat"_s)).sql(u"update param set s=1"_s);
    open();
    type(4, u"4951234567"_s);
    find();
    EXPECT_EQ(messagePanel(), QString());
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 3), u"4951234567"_s);
    const int flat = cell(0, 7).toInt();
    EXPECT_GE(flat, 1);
    EXPECT_LE(flat, 200);

    find();
    EXPECT_EQ(messagePanel(), u"Абонент найден."_s);
    EXPECT_EQ(rows(), 1);
}

TEST_F(SearchWindow, RefusedPhoneNumberLeavesAnEmptyGrid)
{
    TabReader(folder->path(u"history.dat"_s)).sql(u"update param set s=1"_s);
    open();
    type(4, u"12345"_s);
    find();
    EXPECT_EQ(messagePanel(), u"Указан неверный номер телефона. Необходимо указать 10 последних цифр."_s);
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(isRed(4));
    EXPECT_TRUE(TabReader(folder->path(u"history.dat"_s)).rows().isEmpty());
}

// Enter anywhere in the search group, or on the focused "Найти", searches as the click does.
class EnterSearches : public SearchWindow, public ::testing::WithParamInterface<const char *> {};

TEST_P(EnterSearches, FromTheFieldsAndTheButton)
{
    TabReader(folder->path(u"history.dat"_s)).add({u"Иванов"_s, u"Иван"_s, QString(), u"1"_s, u"Ленина"_s, 1, QString(), 5});
    open();
    edit(1)->setText(u"Иванов"_s);
    child<QWidget>(GetParam())->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Return);
    settle();
    EXPECT_EQ(messagePanel(), u"Найдено: 1"_s);
    EXPECT_EQ(rows(), 1);
    EXPECT_TRUE(edit(1)->text() == u"Иванов"_s);
}

INSTANTIATE_TEST_SUITE_P(, EnterSearches, ::testing::Values("surnameField", "flatField", "searchButton"));

} // namespace
