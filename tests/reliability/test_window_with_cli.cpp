// The window and a zelvik-cli lane searching and inventing on the same history.dat at the same
// time: the window keeps its connection (and often an unfinished result) open all along, as it
// does in use. No search fails, and the rows add up to what both reported.
#include "tests/reliability/boxlog.h"
#include "tests/reliability/figures.h"
#include "tests/reliability/ledger.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/searchlane.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/tabaccount.h"
#include "tests/reliability/windowdriver.h"

#include <QEventLoop>
#include <gtest/gtest.h>

namespace {

constexpr int kSearches = 250;

} // namespace

TEST(WindowWithCli, ConcurrentSearchesNeverFailAndTheRowsAddUp)
{
    ScratchFolder folder;
    CurrentDirectory here(folder.path());
    BoxLog boxes;
    const QString prefix =
        storereading::query(folder.history(), QStringLiteral("SELECT tel FROM tel ORDER BY id LIMIT 1")).value(0).value(0).toString();
    Ledger ledger;
    SearchLane lane({folder.path(), QStringLiteral("Консоль"), prefix + QStringLiteral("01"), kSearches}, ledger);

    WindowDriver window;
    ASSERT_TRUE(window.isOpen());
    lane.start();
    // Each press of "Найти" lets the lane's finished searches be collected and the next one start.
    for (int i = 0; i < kSearches; ++i) {
        const PlannedSearch search = plannedSearch(QStringLiteral("Окно"), prefix + QStringLiteral("02"), i);
        window.clearFields();
        window.fill(search.byPhone ? store::EntryField::Phone : store::EntryField::Surname, search.key);
        const QString message = window.find();
        if (search.byPhone)
            ledger.phoneSearched(search.key, message);
        else
            ledger.surnameSearched(search.key, message);
    }
    if (!lane.isDone()) {
        QEventLoop loop;
        QObject::connect(&lane, &SearchLane::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }

    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_TRUE(lane.failures().isEmpty()) << lane.failures().join(u'\n').toStdString();
    EXPECT_TRUE(ledger.contradictions().isEmpty()) << ledger.contradictions().join(u'\n').toStdString();
    const QStringList differences = differencesFromLedger(folder.history(), ledger);
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
    reportFigure("concurrent_window_and_cli_searches", ledger.searches());
}
