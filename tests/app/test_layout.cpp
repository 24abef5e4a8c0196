#include "mainwindowfixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

using Layout = MainWindowTest;

TEST_F(Layout, ControlsStandWhereTheyWereDesigned)
{
    openWindow();
    EXPECT_EQ(grid()->geometry(), QRect(8, 48, 593, 505));
    EXPECT_EQ(child<QGroupBox>("GroupBox1")->geometry(), QRect(616, 40, 225, 513));
    EXPECT_EQ(child<QLabel>("Label1")->pos(), QPoint(8, 8));
    EXPECT_EQ(child<QStatusBar>("StatusBar1")->height(), 19);

    const std::pair<const char *, QRect> fields[] = {
        {"Edit1", {72, 24, 145, 23}}, {"Edit2", {72, 56, 145, 23}}, {"Edit3", {72, 88, 145, 23}},
        {"Edit4", {72, 144, 145, 23}}, {"Edit5", {72, 200, 145, 23}}, {"Edit6", {72, 232, 41, 23}},
        {"Edit7", {136, 232, 41, 23}}, {"Edit8", {72, 264, 41, 23}},
    };
    for (const auto &[name, rect] : fields) {
        EXPECT_EQ(child<QLineEdit>(name)->geometry(), rect) << name;
        EXPECT_TRUE(child<QLineEdit>(name)->text().isEmpty()) << name;
    }
    EXPECT_EQ(child<QPushButton>("Button1")->geometry(), QRect(28, 320, 75, 25));
    EXPECT_EQ(child<QPushButton>("Button2")->geometry(), QRect(128, 320, 75, 25));
}

TEST_F(Layout, LabelsAndButtonsCarryTheirTexts)
{
    openWindow();
    const std::pair<const char *, QString> labels[] = {
        {"Label2", u"Фамилия"_s}, {"Label3", u"Имя"_s},   {"Label4", u"Отчество"_s},
        {"Label5", u"Телефон"_s}, {"Label6", u"Улица"_s}, {"Label7", u"Дом"_s},
        {"Label8", u"/"_s},       {"Label9", u"Квартира"_s},
    };
    for (const auto &[name, text] : labels) {
        const QLabel *label = child<QLabel>(name);
        EXPECT_EQ(label->text(), text) << name;
        // Nothing of the text is cut off.
        EXPECT_GE(label->width(), label->sizeHint().width()) << name;
    }
    EXPECT_EQ(child<QLabel>("Label8")->pos(), QPoint(120, 232));
    EXPECT_EQ(child<QGroupBox>("GroupBox1")->title(), u"Поиск"_s);
    EXPECT_EQ(child<QPushButton>("Button1")->text(), u"Найти"_s);
    EXPECT_EQ(child<QPushButton>("Button2")->text(), u"Очистить"_s);
}

TEST_F(Layout, FontsHaveTheirPixelHeights)
{
    openWindow();
    EXPECT_EQ(child<QLabel>("Label1")->font().pixelSize(), 27);
    EXPECT_EQ(grid()->font().pixelSize(), 12);
    EXPECT_EQ(grid()->horizontalHeader()->font().pixelSize(), 11);
    const QFont group = child<QLineEdit>("Edit1")->font();
    EXPECT_EQ(group.pixelSize(), 12);
    EXPECT_TRUE(group.bold());
    EXPECT_TRUE(child<QPushButton>("Button2")->font().bold());
}

TEST_F(Layout, GridHasTheEightColumnsAndNoRowsYet)
{
    openWindow();
    const QAbstractItemModel *model = grid()->model();
    const QStringList titles{u"Фамилия"_s, u"Имя"_s,   u"Отчество"_s, u"Телефон"_s,
                             u"Улица"_s,   u"Дом"_s,   u"/"_s,        u"Квартира"_s};
    const int widths[] = {111, 96, 97, 66, 84, 31, 18, 58};
    ASSERT_EQ(model->columnCount(), 8);
    constexpr int phone = 3;
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), titles[c]);
        if (c != phone)
            EXPECT_EQ(grid()->columnWidth(c), widths[c]) << c;
    }
    // The phone column keeps its design width unless the font needs more for ten digits.
    const int tenDigits = grid()->fontMetrics().horizontalAdvance(u"0000000000"_s);
    EXPECT_GE(grid()->columnWidth(phone), widths[phone]);
    EXPECT_GT(grid()->columnWidth(phone), tenDigits);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(grid()->verticalHeader()->isVisible());
    EXPECT_EQ(grid()->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_TRUE(grid()->tabKeyNavigation());
}

TEST_F(Layout, StatusBarHasTheFixedPanelAndTheMessagePanel)
{
    openWindow();
    const QLabel *fixed = child<QLabel>("StatusPanel0");
    EXPECT_EQ(fixed->text(), u"База данных подключена"_s);
    EXPECT_EQ(fixed->width(), 160);
    EXPECT_TRUE(form->messagePanel().isEmpty());
    form->setMessagePanel(u"Найдено: 2"_s);
    EXPECT_EQ(child<QLabel>("StatusPanel1")->text(), u"Найдено: 2"_s);
    // The message panel takes the rest of the width.
    EXPECT_GT(child<QLabel>("StatusPanel1")->width(), form->width() / 2);
}

TEST_F(Layout, MenuHasItsCommandsInOrder)
{
    openWindow();
    QStringList menus;
    for (const QAction *menu : form->menuBar()->actions()) {
        QStringList items;
        for (const QAction *item : menu->menu()->actions())
            items << item->objectName() + u'=' + item->text();
        menus << menu->text() + u": "_s + items.join(u", "_s);
    }
    EXPECT_EQ(menus, QStringList({u"Меню: N6=Выход"_s, u"База данных: N10=Подключение, N11=Обновление"_s,
                                  u"Справка: N7=Помощь, N8=О программе"_s}));
}

TEST_F(Layout, FocusStartsInTheGridAndTabWalksTheSearchGroup)
{
    openWindow();
    activate();
    EXPECT_EQ(QApplication::focusWidget(), grid());

    child<QLineEdit>("Edit1")->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 10; ++i) {
        pressKey(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, QStringList({u"Edit1"_s, u"Edit2"_s, u"Edit3"_s, u"Edit4"_s, u"Edit5"_s,
                                    u"Edit6"_s, u"Edit7"_s, u"Edit8"_s, u"Button1"_s, u"Button2"_s,
                                    u"DBGrid1"_s}));
}

TEST_F(Layout, ProgramIconIsBuiltIn)
{
    EXPECT_EQ(QPixmap(u":/zelvik.png"_s).size(), QSize(32, 32));
}

TEST_F(Layout, WindowIsCentredOnTheScreenWhenFirstShown)
{
    openWindow();
    const QPoint screenCentre = form->screen()->availableGeometry().center();
    const QPoint windowCentre = form->frameGeometry().center();
    EXPECT_LE((screenCentre - windowCentre).manhattanLength(), 2);
}

} // namespace
