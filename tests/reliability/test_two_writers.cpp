// Two copies of zelvik-cli searching and inventing on the same history.dat at the same time: no
// search fails (no "database is locked"), and the rows in the file add up to what they reported.
#include "tests/reliability/figures.h"
#include "tests/reliability/ledger.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/searchlane.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/tabaccount.h"

#include <QEventLoop>
#include <gtest/gtest.h>

namespace {

constexpr int kSearchesPerLane = 300;

QString firstPrefix(const QString &file)
{
    return storereading::query(file, QStringLiteral("SELECT tel FROM tel ORDER BY id LIMIT 1")).value(0).value(0).toString();
}

} // namespace

TEST(TwoWriters, ConcurrentSearchesNeverFailAndTheRowsAddUp)
{
    ScratchFolder folder;
    const QString prefix = firstPrefix(folder.history());
    ASSERT_EQ(prefix.size(), 3);
    Ledger ledger;
    SearchLane first({folder.path(), QStringLiteral("Первый"), prefix + QStringLiteral("01"), kSearchesPerLane}, ledger);
    SearchLane second({folder.path(), QStringLiteral("Второй"), prefix + QStringLiteral("02"), kSearchesPerLane}, ledger);

    QEventLoop loop;
    const auto quitWhenBothDone = [&] {
        if (first.isDone() && second.isDone())
            loop.quit();
    };
    QObject::connect(&first, &SearchLane::finished, &loop, quitWhenBothDone);
    QObject::connect(&second, &SearchLane::finished, &loop, quitWhenBothDone);
    first.start();
    second.start();
    loop.exec();

    EXPECT_TRUE(first.failures().isEmpty()) << first.failures().join(u'\n').toStdString();
    EXPECT_TRUE(second.failures().isEmpty()) << second.failures().join(u'\n').toStdString();
    EXPECT_TRUE(ledger.contradictions().isEmpty()) << ledger.contradictions().join(u'\n').toStdString();
    const QStringList differences = differencesFromLedger(folder.history(), ledger);
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
    EXPECT_EQ(storereading::integrity(folder.history()), QStringLiteral("ok"));
    reportFigure("concurrent_cli_searches", ledger.searches());
    reportFigure("rows_stored", ledger.storedRows());
}
