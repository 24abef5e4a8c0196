#include "tests/app/mainwindowfixture.h"
#include "tests/app/tabreader.h"
#include "app/searchfieldnames.h"
#include "messages/fieldtitles.h"
#include "tests/support/clirunner.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

using Layout = MainWindowTest;

TEST_F(Layout, ControlsStandWhereTheyWereDesigned)
{
    openWindow();
    EXPECT_EQ(grid()->geometry(), QRect(8, 48, 593, 505));
    EXPECT_EQ(child<QGroupBox>("searchGroup")->geometry(), QRect(616, 40, 225, 513));
    EXPECT_EQ(child<QLabel>("heading")->pos(), QPoint(8, 8));
    EXPECT_EQ(child<QStatusBar>("statusBar")->height(), 19);

    const std::pair<const char *, QRect> fields[] = {
        {"surnameField", {72, 24, 145, 23}}, {"givenNameField", {72, 56, 145, 23}}, {"patronymicField", {72, 88, 145, 23}},
        {"phoneField", {72, 144, 145, 23}}, {"streetField", {72, 200, 145, 23}}, {"houseField", {72, 232, 41, 23}},
        {"fractionField", {136, 232, 41, 23}}, {"flatField", {72, 264, 41, 23}},
    };
    for (const auto &[name, rect] : fields) {
        EXPECT_EQ(child<QLineEdit>(name)->geometry(), rect) << name;
        EXPECT_TRUE(child<QLineEdit>(name)->text().isEmpty()) << name;
    }
    EXPECT_EQ(child<QPushButton>("searchButton")->geometry(), QRect(28, 320, 75, 25));
    EXPECT_EQ(child<QPushButton>("clearButton")->geometry(), QRect(128, 320, 75, 25));
}

TEST_F(Layout, LabelsAndButtonsCarryTheirTexts)
{
    openWindow();
    const std::pair<const char *, QString> labels[] = {
        {"surnameLabel", u"Фамилия"_s}, {"givenNameLabel", u"Имя"_s},   {"patronymicLabel", u"Отчество"_s},
        {"phoneLabel", u"Телефон"_s}, {"streetLabel", u"Улица"_s}, {"houseLabel", u"Дом"_s},
        {"fractionLabel", u"/"_s},       {"flatLabel", u"Квартира"_s},
    };
    for (const auto &[name, text] : labels) {
        const QLabel *label = child<QLabel>(name);
        EXPECT_EQ(label->text(), text) << name;
        // Nothing of the text is cut off.
        EXPECT_GE(label->width(), label->sizeHint().width()) << name;
    }
    EXPECT_EQ(child<QLabel>("fractionLabel")->pos(), QPoint(120, 232));
    EXPECT_EQ(child<QGroupBox>("searchGroup")->title(), u"Поиск"_s);
    EXPECT_EQ(child<QPushButton>("searchButton")->text(), u"Найти"_s);
    EXPECT_EQ(child<QPushButton>("clearButton")->text(), u"Очистить"_s);
}

// The grid's titles, the form's labels and find's options name the fields from one table, so that
// renaming a field in it renames it everywhere.
TEST_F(Layout, FieldWordsComeFromOneTable)
{
    openWindow();
    for (int f = 0; f < store::kEntryFieldCount; ++f) {
        const messages::FieldWords &words = messages::fieldWords(store::EntryField(f));
        EXPECT_EQ(child<QLabel>(app::kSearchLabelNames[f])->text(), words.title) << f;
        EXPECT_EQ(grid()->model()->headerData(f, Qt::Horizontal).toString(), words.title) << f;
    }
    const QString help = runCli(folder->path(), {u"find"_s, u"--help"_s}).out;
    EXPECT_TRUE(help.contains(u"--fraction TEXT"_s) && help.contains(messages::fieldWords(store::EntryField::Fraction).name))
        << help.toStdString();
}

TEST_F(Layout, FontsHaveTheirPixelHeights)
{
    openWindow();
    EXPECT_EQ(child<QLabel>("heading")->font().pixelSize(), 27);
    EXPECT_EQ(grid()->font().pixelSize(), 12);
    EXPECT_EQ(grid()->horizontalHeader()->font().pixelSize(), 11);
    const QFont group = child<QLineEdit>("surnameField")->font();
    EXPECT_EQ(group.pixelSize(), 12);
    EXPECT_TRUE(group.bold());
    EXPECT_TRUE(child<QPushButton>("clearButton")->font().bold());
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
    constexpr int flat = 7;
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), titles[c]);
        if (c != phone && c != flat) {
            EXPECT_EQ(grid()->columnWidth(c), widths[c]) << c;
        }
    }
    // The phone column keeps its design width unless the font needs more for ten digits.
    const int tenDigits = grid()->fontMetrics().horizontalAdvance(u"0000000000"_s);
    EXPECT_GE(grid()->columnWidth(phone), widths[phone]);
    EXPECT_GT(grid()->columnWidth(phone), tenDigits);
    // The flat, last, takes what is left of the grid.
    EXPECT_GE(grid()->columnWidth(flat), widths[flat]);
    EXPECT_EQ(grid()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(grid()->verticalHeader()->isVisible());
    EXPECT_EQ(grid()->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_TRUE(grid()->tabKeyNavigation());
}

TEST_F(Layout, NoFlatIsCutOnceTheVerticalScrollBarShows)
{
    TabReader tab(folder->history());
    tab.add({u"Петров"_s, u"Пётр"_s, u"Петрович"_s, u"4952222222"_s, u"Мира"_s, 2, QString(), 246});
    tab.addNumbered(52);
    openWindow();
    ASSERT_EQ(grid()->size(), QSize(593, 505));
    form->queryChannel().run(u"select * from tab order by id"_s);
    settle();
    ASSERT_EQ(grid()->model()->rowCount(), 53);
    ASSERT_TRUE(grid()->verticalScrollBar()->isVisible());

    constexpr int flat = 7;
    const auto flatIsWhole = [this] {
        const QModelIndex cell = grid()->model()->index(0, flat);
        const QRect painted = grid()->visualRect(cell);
        return grid()->viewport()->rect().contains(painted) && painted.width() >= grid()->sizeHintForIndex(cell).width();
    };
    EXPECT_EQ(grid()->horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(flatIsWhole());

    // The user's widths are kept: a wider surname leaves less to the flat, never less than it needs.
    QHeaderView *header = grid()->horizontalHeader();
    header->resizeSection(0, 200);
    settle();
    EXPECT_EQ(grid()->columnWidth(0), 200);
    EXPECT_GE(grid()->columnWidth(flat), grid()->sizeHintForIndex(grid()->model()->index(0, flat)).width());
    header->resizeSection(0, 111);
    settle();
    EXPECT_EQ(grid()->horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(flatIsWhole());
    header->resizeSection(flat, 300);
    settle();
    EXPECT_EQ(grid()->columnWidth(flat), 300);
}

TEST_F(Layout, StatusBarHasTheFixedPanelAndTheMessagePanel)
{
    openWindow();
    const QLabel *fixed = child<QLabel>("statusPanel");
    EXPECT_EQ(fixed->text(), u"База данных подключена"_s);
    // The design's width, where the fonts let whichever it says fit the panel whole.
    EXPECT_GE(fixed->width(), 160);
    for (const QString &text : {u"База данных подключена"_s, u"База не подключена"_s})
        EXPECT_LE(fixed->fontMetrics().horizontalAdvance(text), fixed->contentsRect().width()) << text.toStdString();
    EXPECT_TRUE(messagePanel().isEmpty());
    form->setMessagePanel(u"Найдено: 2"_s);
    EXPECT_EQ(child<QLabel>("messagePanel")->text(), u"Найдено: 2"_s);
    // The message panel takes the rest of the width.
    EXPECT_GT(child<QLabel>("messagePanel")->width(), form->width() / 2);
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
    EXPECT_EQ(menus, QStringList({u"Меню: exitAction=Выход"_s, u"База данных: connectionAction=Подключение, updateAction=Обновление"_s,
                                  u"Справка: helpAction=Помощь, aboutAction=О программе"_s}));
}

TEST_F(Layout, FocusStartsInTheGridAndTabWalksTheSearchGroup)
{
    openWindow();
    activate();
    EXPECT_EQ(QApplication::focusWidget(), grid());

    child<QLineEdit>("surnameField")->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 10; ++i) {
        pressKey(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, QStringList({u"surnameField"_s, u"givenNameField"_s, u"patronymicField"_s, u"phoneField"_s, u"streetField"_s,
                                    u"houseField"_s, u"fractionField"_s, u"flatField"_s, u"searchButton"_s, u"clearButton"_s,
                                    u"resultGrid"_s}));
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
