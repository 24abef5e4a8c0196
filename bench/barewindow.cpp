#include "bench/barewindow.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>

namespace bench {

namespace {

QFont pixelFont(const char *family, int pixels, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

struct Placed {
    const char *text;
    QRect geometry;
};

constexpr Placed kLabels[] = {{"Фамилия", {8, 28, 60, 16}}, {"Имя", {8, 60, 60, 16}},      {"Отчество", {8, 92, 60, 16}},
                              {"Телефон", {8, 148, 60, 16}}, {"Улица", {8, 204, 60, 16}},   {"Дом", {8, 236, 60, 16}},
                              {"/", {120, 232, 10, 16}},     {"Квартира", {8, 268, 60, 16}}};
constexpr QRect kEdits[] = {{72, 24, 145, 23},  {72, 56, 145, 23},  {72, 88, 145, 23}, {72, 144, 145, 23},
                            {72, 200, 145, 23}, {72, 232, 41, 23}, {136, 232, 41, 23}, {72, 264, 41, 23}};
constexpr Placed kButtons[] = {{"Найти", {28, 320, 75, 25}}, {"Очистить", {128, 320, 75, 25}}};
constexpr const char *kColumns[] = {"Фамилия", "Имя", "Отчество", "Телефон", "Улица", "Дом", "/", "Квартира"};

} // namespace

BareWindow::BareWindow()
{
    auto *client = new QWidget(this);
    client->setFont(pixelFont("MS Sans Serif", 11));
    setCentralWidget(client);

    auto *heading = new QLabel(QStringLiteral("Телефонный справочник"), client);
    heading->setFont(pixelFont("Arial", 27));
    heading->setGeometry(8, 8, 315, 32);

    m_rows = new QStandardItemModel(0, int(std::size(kColumns)), this);
    for (int c = 0; c < int(std::size(kColumns)); ++c)
        m_rows->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(kColumns[c]));
    m_grid = new QTableView(client);
    m_grid->setModel(m_rows);
    m_grid->setGeometry(8, 48, 593, 505);
    m_grid->setFont(pixelFont("Arial", 12));
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 5);

    auto *group = new QGroupBox(QStringLiteral("Поиск"), client);
    group->setGeometry(616, 40, 225, 513);
    group->setFont(pixelFont("Arial", 12, true));
    for (const Placed &l : kLabels)
        (new QLabel(QString::fromUtf8(l.text), group))->setGeometry(l.geometry);
    for (const QRect &e : kEdits) {
        auto *edit = new QLineEdit(group);
        edit->setGeometry(e);
        if (!m_surname)
            m_surname = edit;
    }
    for (const Placed &b : kButtons) {
        auto *button = new QPushButton(QString::fromUtf8(b.text), group);
        button->setGeometry(b.geometry);
        if (!m_search)
            m_search = button;
    }
    m_surname->setObjectName(QStringLiteral("surnameField"));
    m_search->setObjectName(QStringLiteral("searchButton"));
    connect(m_search, &QPushButton::clicked, this, [this] {
        if (m_handler)
            m_handler(m_surname->text());
    });

    auto *status = new QStatusBar(this);
    status->setFixedHeight(19);
    status->addWidget(new QLabel(QStringLiteral("База данных подключена"), status));
    status->addWidget(new QLabel(status), 1);
    setStatusBar(status);

    QMenu *main = menuBar()->addMenu(QStringLiteral("Меню"));
    main->addAction(QStringLiteral("Выход"));
    QMenu *database = menuBar()->addMenu(QStringLiteral("База данных"));
    database->addAction(QStringLiteral("Подключение"));
    database->addAction(QStringLiteral("Обновление"));
    QMenu *help = menuBar()->addMenu(QStringLiteral("Справка"));
    help->addAction(QStringLiteral("Помощь"));
    help->addAction(QStringLiteral("О программе"));

    resize(862, 594 + menuBar()->sizeHint().height());
}

void BareWindow::onSearch(std::function<void(const QString &surname)> handler)
{
    m_handler = std::move(handler);
}

} // namespace bench
