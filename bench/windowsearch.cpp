// zelvik-window-search SURNAME ROWS SEARCHES: the real main window in the current folder (a directory
// zelvik-gen made), searched SEARCHES times by typing SURNAME until the grid shows its ROWS rows
// painted; prints each search's wall-clock nanoseconds on a line of its own. zelvik-bench runs the
// Windows build's under wine, to set the window's search there beside the Linux one.
#include "bench/typedsearch.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4) {
        std::fputs("usage: zelvik-window-search SURNAME ROWS SEARCHES\n", stderr);
        return 2;
    }
    const int rows = arguments[2].toInt();
    const int searches = arguments[3].toInt();
    app::MainWindow window;
    auto *grid = window.findChild<QTableView *>(QStringLiteral("resultGrid"));
    bench::TypedSearch search(window, grid, [grid, rows] { return grid->model()->rowCount() == rows; }, arguments[1]);
    if (!search.ready()) {
        std::fputs("zelvik-window-search: the window lacks its result grid, surname field or search button\n", stderr);
        return 1;
    }
    for (int i = 0; i < searches; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!search.once()) {
            std::fputs("zelvik-window-search: the grid never showed the surname's rows\n", stderr);
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(clock.nsecsElapsed()));
    }
    return 0;
}
