// The main window's controls, menu and status bar as the form was designed: positions and sizes
// in pixels of the parent's client area, fonts by pixel height.
#include "mainwindow.h"

#include "regionconfig.h"
#include "resizerule.h"
#include "resultgrid.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

QFont pixelFont(const QString &family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

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

void TForm1::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(app::designWindowCaption());

    auto *client = new QWidget(this);
    client->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    client->setAutoFillBackground(true);
    client->setBackgroundRole(QPalette::Button);
    setCentralWidget(client);

    Label1 = label(client, "Label1", app::designHeadingText(), {8, 8});
    Label1->setFont(pixelFont(QStringLiteral("Arial"), 27));
    Label1->resize(Label1->sizeHint().expandedTo({315, 32}));

    createStatusBar();

    DBGrid1 = named(new app::ResultGrid(client), "DBGrid1");
    DBGrid1->setGeometry(8, 48, 593, 505);
    DBGrid1->setFont(pixelFont(QStringLiteral("Arial"), 12));
    DBGrid1->horizontalHeader()->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 5);

    createSearchGroup();
    createMenu();

    // Tab order: the grid, then the group's fields and buttons; the status bar takes no focus.
    QWidget *previous = DBGrid1;
    for (QWidget *next : std::initializer_list<QWidget *>{Edit1, Edit2, Edit3, Edit4, Edit5, Edit6,
                                                          Edit7, Edit8, Button1, Button2}) {
        setTabOrder(previous, next);
        previous = next;
    }
    DBGrid1->setFocus();

    client->installEventFilter(this);
    resize(app::kDesignClientSize + QSize(0, menuBar()->sizeHint().height()));
}

void TForm1::createSearchGroup()
{
    GroupBox1 = named(new QGroupBox(QStringLiteral("Поиск"), centralWidget()), "GroupBox1");
    GroupBox1->setGeometry(616, 40, 225, 513);
    GroupBox1->setFont(pixelFont(QStringLiteral("Arial"), 12, true));

    label(GroupBox1, "Label2", QStringLiteral("Фамилия"), {8, 28});
    label(GroupBox1, "Label3", QStringLiteral("Имя"), {8, 60});
    label(GroupBox1, "Label4", QStringLiteral("Отчество"), {8, 92});
    label(GroupBox1, "Label5", QStringLiteral("Телефон"), {8, 148});
    label(GroupBox1, "Label6", QStringLiteral("Улица"), {8, 204});
    label(GroupBox1, "Label7", QStringLiteral("Дом"), {8, 236});
    label(GroupBox1, "Label8", QStringLiteral("/"), {120, 232});
    label(GroupBox1, "Label9", QStringLiteral("Квартира"), {8, 268});

    Edit1 = edit(GroupBox1, "Edit1", {72, 24, 145, 23});
    Edit2 = edit(GroupBox1, "Edit2", {72, 56, 145, 23});
    Edit3 = edit(GroupBox1, "Edit3", {72, 88, 145, 23});
    Edit4 = edit(GroupBox1, "Edit4", {72, 144, 145, 23});
    Edit5 = edit(GroupBox1, "Edit5", {72, 200, 145, 23});
    Edit6 = edit(GroupBox1, "Edit6", {72, 232, 41, 23});
    Edit7 = edit(GroupBox1, "Edit7", {136, 232, 41, 23});
    Edit8 = edit(GroupBox1, "Edit8", {72, 264, 41, 23});

    Button1 = button(GroupBox1, "Button1", QStringLiteral("Найти"), {28, 320, 75, 25});
    Button2 = button(GroupBox1, "Button2", QStringLiteral("Очистить"), {128, 320, 75, 25});
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
}

void TForm1::createMenu()
{
    QMenuBar *bar = menuBar();
    const auto item = [this](QMenu *menu, const char *name, const QString &text, void (TForm1::*handler)()) {
        QAction *action = named(menu->addAction(text), name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu *main = named(bar->addMenu(QStringLiteral("Меню")), "MenuMain");
    N6 = item(main, "N6", QStringLiteral("Выход"), &TForm1::N6Click);
    QMenu *database = named(bar->addMenu(QStringLiteral("База данных")), "MenuDatabase");
    N10 = item(database, "N10", QStringLiteral("Подключение"), &TForm1::N10Click);
    N11 = item(database, "N11", QStringLiteral("Обновление"), &TForm1::N11Click);
    QMenu *help = named(bar->addMenu(QStringLiteral("Справка")), "MenuHelp");
    N7 = item(help, "N7", QStringLiteral("Помощь"), &TForm1::N7Click);
    N8 = item(help, "N8", QStringLiteral("О программе"), &TForm1::N8Click);
}

void TForm1::createStatusBar()
{
    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    StatusBar1->setFixedHeight(19);
    const char *names[] = {"StatusPanel0", "StatusPanel1"};
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = named(new QLabel(StatusBar1), names[i]);
        m_statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar1->addWidget(m_statusPanels[i], i);
    }
    m_statusPanels[0]->setText(QStringLiteral("База данных подключена"));
    m_statusPanels[0]->setFixedWidth(160);
    m_statusPanels[1]->setMinimumWidth(50);
    setStatusBar(StatusBar1);
}
