// The search as the user sees it: the rare surname's rows in a grid on screen (offscreen platform).
// Both sides get the surname typed key by key into the surname field and the search button
// clicked. The floor's click reads the rows with raw SQLite into a bare QTableView over a
// QStandardItemModel; the program's is its real main window, so the pair measures only what the
// program adds: the checks, the lookup, the channel and the grid's model.
#include "bench/alternation.h"
#include "bench/barewindow.h"
#include "bench/benchdirectory.h"
#include "bench/paintwaiter.h"
#include "bench/rawsqlite.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <functional>
#include <optional>

#include <benchmark/benchmark.h>

namespace {

using bench::benchDirectory;
using bench::PaintWaiter;

// Types the text into the field one key at a time (QTest::keyClicks stops at Latin-1).
void typeText(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, field, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, field, key, QString(c), Qt::NoModifier);
    }
}

// The rare surname typed into a window's surname field and its search button clicked, until the
// grid shows the expected rows painted.
class TypedSearch {
public:
    TypedSearch(QWidget &window, QTableView *grid, std::function<bool()> holdsTheRows)
        : m_grid(grid), m_surname(window.findChild<QLineEdit *>(QStringLiteral("surnameField"))),
          m_find(window.findChild<QPushButton *>(QStringLiteral("searchButton"))),
          m_holdsTheRows(std::move(holdsTheRows)), m_typed(benchDirectory().rareSurnameText())
    {
        if (!m_grid || !m_surname || !m_find)
            return;
        m_waiter.emplace(grid->viewport());
        window.show();
        window.activateWindow();
        m_waiter->waitUntilPainted();
        m_paintsBefore = m_waiter->totalPaints();
    }

    bool ready() const { return m_waiter.has_value(); }

    bool once()
    {
        m_surname->setFocus();
        m_surname->selectAll();
        typeText(m_surname, m_typed);
        QTest::mouseClick(m_find, Qt::LeftButton);
        return m_waiter->waitUntilPainted(m_holdsTheRows);
    }

    int rows() const { return m_grid->model()->rowCount(); }
    int paints() const { return m_waiter->totalPaints() - m_paintsBefore; }

private:
    QTableView *m_grid;
    QLineEdit *m_surname;
    QPushButton *m_find;
    std::function<bool()> m_holdsTheRows;
    QString m_typed;
    std::optional<PaintWaiter> m_waiter;
    int m_paintsBefore = 0;
};

const char *const kWindowLacksParts = "the window lacks its result grid, surname field or search button";

void searchByTyping(benchmark::State &state, QWidget &window, QTableView *grid, std::function<bool()> holdsTheRows)
{
    TypedSearch search(window, grid, std::move(holdsTheRows));
    if (!search.ready()) {
        state.SkipWithError(kWindowLacksParts);
        return;
    }
    for (auto _ : state) {
        if (!search.once()) {
            state.SkipWithError("the grid never showed the surname's rows");
            break;
        }
    }
    state.counters["rows"] = search.rows();
    state.counters["grid_paints"] = benchmark::Counter(search.paints(), benchmark::Counter::kAvgIterations);
}

// The bare window whose click reads the rows with raw SQLite; the grid is emptied and filled anew
// on every click, as the program's is.
class BaselineWindow {
public:
    BaselineWindow() : m_db(benchDirectory().historyPath)
    {
        m_db.useProgramSettings();
        m_select.emplace(m_db.handle(), "select fam, im, ot, tele, ul, dom, domd, kv from tab where fam=?");
        QStandardItemModel &rows = *m_window.rows();
        m_window.onSearch([this, &rows](const QString &surname) {
            const QByteArray key = surname.toUtf8();
            const int columns = rows.columnCount();
            rows.setRowCount(0);
            m_select->bindText(1, std::string_view(key.constData(), std::size_t(key.size())));
            while (m_select->step()) {
                QList<QStandardItem *> row;
                for (int c = 0; c < columns; ++c) {
                    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_select->handle(), c));
                    row.append(new QStandardItem(QString::fromUtf8(text, sqlite3_column_bytes(m_select->handle(), c))));
                }
                rows.appendRow(row);
            }
            m_select->reset();
        });
    }

    bench::BareWindow &window() { return m_window; }
    std::function<bool()> holdsTheRows()
    {
        return [this, expected = int(benchDirectory().rareRows)] { return m_window.rows()->rowCount() == expected; };
    }

private:
    bench::RawDatabase m_db;
    std::optional<bench::RawStatement> m_select;
    bench::BareWindow m_window;
};

std::function<bool()> gridHolds(QTableView *grid)
{
    return [grid, expected = int(benchDirectory().rareRows)] { return grid && grid->model()->rowCount() == expected; };
}

void BM_GuiBaselineRows(benchmark::State &state)
{
    BaselineWindow baseline;
    searchByTyping(state, baseline.window(), baseline.window().grid(), baseline.holdsTheRows());
}

void BM_GuiSearchRare(benchmark::State &state)
{
    app::MainWindow window;
    auto *grid = window.findChild<QTableView *>(QStringLiteral("resultGrid"));
    searchByTyping(state, window, grid, gridHolds(grid));
}

// Both windows on screen at once, searched by turns.
void BM_PairGuiSearch(benchmark::State &state)
{
    BaselineWindow baseline;
    app::MainWindow window;
    auto *grid = window.findChild<QTableView *>(QStringLiteral("resultGrid"));
    TypedSearch floor(baseline.window(), baseline.window().grid(), baseline.holdsTheRows());
    TypedSearch product(window, grid, gridHolds(grid));
    if (!floor.ready() || !product.ready()) {
        state.SkipWithError(kWindowLacksParts);
        return;
    }
    bench::alternate(state, [&] { return floor.once(); }, [&] { return product.once(); }, 1, false);
}

} // namespace

BENCHMARK(BM_GuiBaselineRows)->UseRealTime();
BENCHMARK(BM_GuiSearchRare)->UseRealTime();
BENCHMARK(BM_PairGuiSearch)->UseRealTime();
