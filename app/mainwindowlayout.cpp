// The main window's controls, menu and status bar as the form was designed: positions and sizes
// in pixels of the parent's client area, fonts by pixel height.
#include "app/mainwindow.h"

#include "pages/pixelfont.h"
#include "app/captions.h"
#include "app/resizerule.h"
#include "app/resultgrid.h"
#include "app/searchfieldnames.h"
#include "messages/fieldtitles.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>

namespace app {

namespace {

using pages::pixelFont;

template <class Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Labels size themselves to their text.
QLabel *label(QWidget *parent, const char *name, const QString &text, QPoint at)
{
    auto *l = named(new QLabel(text, parent), name);
    l->move(at);
    l->adjustSize();
    return l;
}

QLineEdit *edit(QWidget *parent, const char *name, QRect geometry)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setGeometry(geometry);
    return e;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *b = named(new QPushButton(text, parent), name);
    b->setGeometry(geometry);
    return b;
}

} // namespace

void MainWindow::createControls()
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(designWindowCaption());

    auto *client = new QWidget(this);
    client->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    client->setAutoFillBackground(true);
    client->setBackgroundRole(QPalette::Button);
    setCentralWidget(client);

    m_heading = label(client, "heading", designHeadingText(), {8, 8});
    m_heading->setFont(pixelFont(QStringLiteral("Arial"), 27));
    m_heading->setTextFormat(Qt::PlainText); // the region's name comes from conf.cfg
    m_heading->resize(m_heading->sizeHint().expandedTo({315, 32}));

    createStatusBar();

    m_grid = named(new ResultGrid(client), "resultGrid");
    m_grid->setGeometry(8, 48, 593, 505);
    m_grid->setFont(pixelFont(QStringLiteral("Arial"), 12));
    m_grid->horizontalHeader()->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 5);

    createSearchGroup();
    createMenu();

    // Tab order: the grid, then the group's fields and buttons; the status bar takes no focus.
    QWidget *previous = m_grid;
    for (QWidget *next : std::initializer_list<QWidget *>{m_surnameField, m_givenNameField, m_patronymicField, m_phoneField, m_streetField, m_houseField,
                                                          m_fractionField, m_flatField, m_searchButton, m_clearButton}) {
        setTabOrder(previous, next);
        previous = next;
    }
    m_grid->setFocus();

    client->installEventFilter(this);
    resize(kDesignClientSize + QSize(0, menuBar()->sizeHint().height()));
    setMinimumSize(kMinimumClientSize + QSize(0, menuBar()->sizeHint().height()));
}

void MainWindow::createSearchGroup()
{
    m_searchGroup = named(new QGroupBox(QStringLiteral("Поиск"), centralWidget()), "searchGroup");
    m_searchGroup->setGeometry(616, 40, 225, 513);
    m_searchGroup->setFont(pixelFont(QStringLiteral("Arial"), 12, true));

    // Positions in the order of store::EntryField, labels first, then the fields they name.
    const QPoint labelPlaces[] = {{8, 28}, {8, 60}, {8, 92}, {8, 148}, {8, 204}, {8, 236}, {120, 232}, {8, 268}};
    for (int f = 0; f < store::kEntryFieldCount; ++f)
        label(m_searchGroup, kSearchLabelNames[f], messages::fieldWords(store::EntryField(f)).title, labelPlaces[f]);

    const QRect places[] = {{72, 24, 145, 23},  {72, 56, 145, 23},  {72, 88, 145, 23}, {72, 144, 145, 23},
                            {72, 200, 145, 23}, {72, 232, 41, 23}, {136, 232, 41, 23}, {72, 264, 41, 23}};
    QLineEdit **fields[] = {&m_surnameField, &m_givenNameField, &m_patronymicField, &m_phoneField,
                            &m_streetField,  &m_houseField,     &m_fractionField,   &m_flatField};
    for (int f = 0; f < store::kEntryFieldCount; ++f) {
        *fields[f] = edit(m_searchGroup, kSearchFieldNames[f], places[f]);
        connect(*fields[f], &QLineEdit::returnPressed, this, &MainWindow::search);
    }

    m_searchButton = button(m_searchGroup, "searchButton", QStringLiteral("Найти"), {28, 320, 75, 25});
    m_clearButton = button(m_searchGroup, "clearButton", QStringLiteral("Очистить"), {128, 320, 75, 25});
    // Enter on the focused button presses it, as it does in the fields.
    m_searchButton->setAutoDefault(true);
    // A click leaves the focus where it was: the search itself asks about an edited row the grid
    // could not write, rather than the grid reporting it once more as the focus leaves it.
    m_searchButton->setFocusPolicy(Qt::TabFocus);
    connect(m_searchButton, &QPushButton::clicked, this, &MainWindow::search);
    connect(m_clearButton, &QPushButton::clicked, this, &MainWindow::clearSearch);
}

void MainWindow::createMenu()
{
    QMenuBar *bar = menuBar();
    const auto item = [this](QMenu *menu, const char *name, const QString &text, void (MainWindow::*handler)()) {
        QAction *action = named(menu->addAction(text), name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu *main = named(bar->addMenu(QStringLiteral("Меню")), "MenuMain");
    m_exitAction = item(main, "exitAction", QStringLiteral("Выход"), &MainWindow::exitProgram);
    QMenu *database = named(bar->addMenu(QStringLiteral("База данных")), "MenuDatabase");
    m_connectionAction = item(database, "connectionAction", QStringLiteral("Подключение"), &MainWindow::showConnectionInfo);
    m_updateAction = item(database, "updateAction", QStringLiteral("Обновление"), &MainWindow::showUpdateWindow);
    QMenu *help = named(bar->addMenu(QStringLiteral("Справка")), "MenuHelp");
    m_helpAction = item(help, "helpAction", QStringLiteral("Помощь"), &MainWindow::showHelpWindow);
    m_aboutAction = item(help, "aboutAction", QStringLiteral("О программе"), &MainWindow::showAboutWindow);
}

void MainWindow::createStatusBar()
{
    m_statusBar = named(new QStatusBar(this), "statusBar");
    m_statusBar->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    m_statusBar->setFixedHeight(19);
    const char *names[] = {"statusPanel", "messagePanel"};
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = named(new QLabel(m_statusBar), names[i]);
        m_statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_statusBar->addWidget(m_statusPanels[i], i);
    }
    showStoreConnected(true);
    const int connectedWidth = m_statusPanels[0]->sizeHint().width();
    showStoreConnected(false); // until the start-up check has reached it
    // The design's width, wider only where the fonts at hand would cut either text.
    m_statusPanels[0]->setFixedWidth(std::max({160, connectedWidth, m_statusPanels[0]->sizeHint().width()}));
    m_statusPanels[1]->setMinimumWidth(50);
    setStatusBar(m_statusBar);
}

} // namespace app
