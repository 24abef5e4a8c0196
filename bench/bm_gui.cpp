// The search as the user sees it: the rare surname's rows in a grid on screen (offscreen platform).
// Both sides get the surname typed key by key into the surname field and the search button
// clicked. The floor's click reads the rows with raw SQLite into a bare QTableView over a
// QStandardItemModel; the program's is its real main window, so the pair measures only what the
// program adds: the checks, the lookup, the channel and the grid's model.
#include "barewindow.h"
#include "benchdirectory.h"
#include "paintwaiter.h"
#include "rawsqlite.h"

#include "mainwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <functional>

#include <benchmark/benchmark.h>

namespace {

using bench::benchDirectory;
using bench::PaintWaiter;

// Types the text into the focused widget one key at a time (QTest::keyClicks stops at Latin-1).
void typeText(const QString &text)
{
    for (const QChar c : text) {
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), key, QString(c), Qt::NoModifier);
    }
}

void showAndSettle(QWidget &window, PaintWaiter &waiter)
{
    window.show();
    window.activateWindow();
    waiter.waitUntilPainted();
}

// Types the surname into the window's surname field and clicks its search button, every
// iteration, until the grid shows the expected rows painted.
void searchByTyping(benchmark::State &state, QWidget &window, QTableView *grid,
                    const std::function<bool()> &holdsTheRows)
{
    auto *surname = window.findChild<QLineEdit *>(QStringLiteral("surnameField"));
    auto *find = window.findChild<QPushButton *>(QStringLiteral("searchButton"));
    if (!grid || !surname || !find) {
        state.SkipWithError("the window lacks its result grid, surname field or search button");
        return;
    }
    PaintWaiter waiter(grid->viewport());
    showAndSettle(window, waiter);
    const int paintsBefore = waiter.totalPaints();
    const QString typed = benchDirectory().rareSurnameText();
    for (auto _ : state) {
        surname->setFocus();
        surname->selectAll();
        typeText(typed);
        QTest::mouseClick(find, Qt::LeftButton);
        if (!waiter.waitUntilPainted(holdsTheRows)) {
            state.SkipWithError("the grid never showed the surname's rows");
            break;
        }
    }
    state.counters["rows"] = grid->model()->rowCount();
    state.counters["grid_paints"] = benchmark::Counter(waiter.totalPaints() - paintsBefore, benchmark::Counter::kAvgIterations);
}

void BM_GuiBaselineRows(benchmark::State &state)
{
    bench::RawDatabase db(benchDirectory().historyPath);
    db.useProgramSettings();
    bench::RawStatement select(db.handle(), "select fam, im, ot, tele, ul, dom, domd, kv from tab where fam=?");
    bench::BareWindow window;
    QStandardItemModel &rows = *window.rows();
    const int columns = rows.columnCount();
    // The grid is emptied and filled anew on every click, as the program's is.
    window.onSearch([&](const QString &surname) {
        const QByteArray key = surname.toUtf8();
        rows.setRowCount(0);
        select.bindText(1, std::string_view(key.constData(), std::size_t(key.size())));
        while (select.step()) {
            QList<QStandardItem *> row;
            for (int c = 0; c < columns; ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(select.handle(), c));
                row.append(new QStandardItem(QString::fromUtf8(text, sqlite3_column_bytes(select.handle(), c))));
            }
            rows.appendRow(row);
        }
        select.reset();
    });
    const int expected = int(benchDirectory().rareRows);
    searchByTyping(state, window, window.grid(), [&rows, expected] { return rows.rowCount() == expected; });
}

void BM_GuiSearchRare(benchmark::State &state)
{
    MainWindow window;
    auto *grid = window.findChild<QTableView *>(QStringLiteral("resultGrid"));
    const int expected = int(benchDirectory().rareRows);
    searchByTyping(state, window, grid, [grid, expected] { return grid && grid->model()->rowCount() == expected; });
}

} // namespace

BENCHMARK(BM_GuiBaselineRows)->UseRealTime();
BENCHMARK(BM_GuiSearchRare)->UseRealTime();
