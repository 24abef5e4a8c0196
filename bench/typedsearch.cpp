#include "bench/typedsearch.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace bench {

namespace {

// Types the text into the field one key at a time (QTest::keyClicks stops at Latin-1).
void typeText(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, field, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, field, key, QString(c), Qt::NoModifier);
    }
}

} // namespace

TypedSearch::TypedSearch(QWidget &window, QTableView *grid, std::function<bool()> holdsTheRows, QString typed)
    : m_grid(grid), m_surname(window.findChild<QLineEdit *>(QStringLiteral("surnameField"))),
      m_find(window.findChild<QPushButton *>(QStringLiteral("searchButton"))), m_holdsTheRows(std::move(holdsTheRows)),
      m_typed(std::move(typed))
{
    if (!m_grid || !m_surname || !m_find)
        return;
    m_waiter.emplace(grid->viewport());
    window.show();
    window.activateWindow();
    m_waiter->waitUntilPainted();
    m_paintsBefore = m_waiter->totalPaints();
}

bool TypedSearch::once()
{
    m_surname->setFocus();
    m_surname->selectAll();
    typeText(m_surname, m_typed);
    QTest::mouseClick(m_find, Qt::LeftButton);
    return m_waiter->waitUntilPainted(m_holdsTheRows);
}

int TypedSearch::rows() const
{
    return m_grid->model()->rowCount();
}

} // namespace bench
