// The search as the user sees it: the rare surname's rows in a grid on screen (offscreen platform).
// Both sides get the surname typed key by key into the surname field and the search button
// clicked. The floor's click reads the rows with raw SQLite into a bare QTableView over a
// QStandardItemModel; the program's is its real main window, so the pair measures only what the
// program adds: the checks, the lookup, the channel and the grid's model.
#include "bench/alternation.h"
#include "bench/barewindow.h"
#include "bench/benchdirectory.h"
#include "bench/rawsqlite.h"
#include "bench/typedsearch.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>

#include <functional>
#include <optional>

#include <benchmark/benchmark.h>

namespace {

using bench::benchDirectory;
using bench::TypedSearch;

const char *const kWindowLacksParts = "the window lacks its result grid, surname field or search button";

void searchByTyping(benchmark::State &state, QWidget &window, QTableView *grid, std::function<bool()> holdsTheRows)
{
    TypedSearch search(window, grid, std::move(holdsTheRows), benchDirectory().rareSurnameText());
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
    const QString typed = benchDirectory().rareSurnameText();
    TypedSearch floor(baseline.window(), baseline.window().grid(), baseline.holdsTheRows(), typed);
    TypedSearch product(window, grid, gridHolds(grid), typed);
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
