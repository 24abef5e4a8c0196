// zelvik-cli searches that invent entries, killed with SIGKILL at random moments, over and over on
// the same history.dat. Afterwards the file is sound, every row is whole, each search stored all its
// entries or none, ids still ascend, and every search that reported its entries before it was
// killed finds them.
#include "tests/reliability/cliprocess.h"
#include "tests/reliability/figures.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/searchnames.h"
#include "tests/reliability/storereading.h"
#include "tests/support/seeds.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

constexpr int kKillsWanted = 60;
constexpr int kMostAttempts = 600;
constexpr int kCalibrationRuns = 5;
constexpr std::uint32_t kMomentsSeed = 20240607; // the kill moments are random, but repeatable

using namespace storereading;

struct Attempt {
    QString surname;
    bool killed = false;
    CliRun run;
};

QStringList findArgs(const QString &surname, std::uint32_t seedNumber)
{
    return {QStringLiteral("find"), QStringLiteral("--surname"), surname, QStringLiteral("--seed"),
            QString::number(seeds::inventing(4, seedNumber))};
}

// How long an undisturbed search takes, so that kills can land anywhere within one.
qint64 typicalSearchMicroseconds(const QString &folder)
{
    QList<qint64> times;
    for (int i = 0; i < kCalibrationRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        runCli(folder, findArgs(searchnames::surname(QStringLiteral("Мерило"), std::uint64_t(i)), 0));
        times << timer.nsecsElapsed() / 1000;
    }
    std::sort(times.begin(), times.end());
    return times[kCalibrationRuns / 2];
}

Attempt searchAndKill(const QString &folder, int n, qint64 delayMicroseconds)
{
    Attempt attempt;
    attempt.surname = searchnames::surname(QStringLiteral("Жертва"), std::uint64_t(n));
    QProcess process;
    prepareCli(process, folder, findArgs(attempt.surname, std::uint32_t(n % 97)));
    process.start();
    process.waitForStarted(-1);
    QThread::usleep(static_cast<unsigned long>(delayMicroseconds));
    if (process.state() == QProcess::Running)
        process.kill(); // SIGKILL
    process.waitForFinished(-1);
    attempt.killed = process.exitStatus() == QProcess::CrashExit;
    attempt.run = collect(process);
    return attempt;
}

// A row the way zelvik-cli prints a grid row, for comparing what a search reported with what is stored.
QString printed(const storereading::Row &row)
{
    QStringList fields;
    for (int c = Fam; c < TabColumns; ++c)
        fields << row.value(c).toString();
    return fields.join(u'\t');
}

QString wholeRowProblem(const storereading::Row &row)
{
    for (int c : {Fam, Im, Ot, Tele, Ul})
        if (row.value(c).toString().isEmpty())
            return QStringLiteral("empty column %1").arg(c);
    if (row.value(Tele).toString().size() != 10)
        return QStringLiteral("phone %1").arg(row.value(Tele).toString());
    const qint64 dom = row.value(Dom).toLongLong();
    const qint64 kv = row.value(Kv).toLongLong();
    if (dom < 1 || dom > 90 || kv < 1 || kv > 217 || row.value(Domd).isNull())
        return QStringLiteral("house %1, flat %2").arg(dom).arg(kv);
    return {};
}

} // namespace

TEST(CrashSafety, SearchesKilledAtRandomMomentsLoseNothingAndLeaveNoHalfEntry)
{
    ScratchFolder folder;
    const qint64 typical = typicalSearchMicroseconds(folder.path());
    std::mt19937 moments(kMomentsSeed);
    // From well before the first insert to just past the usual end.
    std::uniform_int_distribution<qint64> delay(typical / 5, typical * 6 / 5);

    QList<Attempt> attempts;
    int kills = 0;
    for (int n = 0; kills < kKillsWanted && n < kMostAttempts; ++n) {
        attempts << searchAndKill(folder.path(), n, delay(moments));
        kills += attempts.last().killed ? 1 : 0;
    }
    ASSERT_GE(kills, 50) << "the searches ended before they could be killed";

    const CliRun check = runCli(folder.path(), {QStringLiteral("check")});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString() << check.err.toStdString();
    EXPECT_EQ(check.out, QStringLiteral("ok\n"));

    const QList<storereading::Row> rows = storereading::rows(folder.history(), QStringLiteral("tab"));
    QMap<QString, QStringList> stored;
    qint64 lastId = 0;
    for (const storereading::Row &row : rows) {
        const QString problem = wholeRowProblem(row);
        EXPECT_TRUE(problem.isEmpty()) << "half-written row " << row.value(Id).toLongLong() << ": " << problem.toStdString();
        EXPECT_GT(row.value(Id).toLongLong(), lastId);
        lastId = row.value(Id).toLongLong();
        stored[row.value(Fam).toString()] << printed(row);
    }

    int reported = 0;
    for (const Attempt &attempt : attempts) {
        SCOPED_TRACE(attempt.surname.toStdString());
        const QStringList mine = stored.value(attempt.surname);
        EXPECT_LE(mine.size(), 4);
        QStringList lines = attempt.run.outLines();
        if (!attempt.run.out.endsWith(u'\n') && !lines.isEmpty())
            lines.removeLast(); // cut off by the kill
        if (!attempt.killed) {
            EXPECT_EQ(attempt.run.exitCode, 0) << attempt.run.err.toStdString();
        }
        if (lines.value(0) == QStringLiteral("Найдено: 4")) {
            // Reported means stored: the message comes after the last insert.
            ++reported;
            EXPECT_EQ(mine.size(), 4);
            for (const QString &line : lines.mid(1))
                EXPECT_TRUE(mine.contains(line)) << line.toStdString();
        }
        // Killed between two inserts, it stored none: a search's entries are committed together.
        EXPECT_TRUE(mine.isEmpty() || mine.size() == 4) << mine.size() << " of a search's 4 entries stored";
    }

    // New entries still get ids above every earlier one.
    const CliRun after = runCli(folder.path(), findArgs(QStringLiteral("Последний"), 0));
    ASSERT_EQ(after.exitCode, 0) << after.err.toStdString();
    for (const storereading::Row &row :
         storereading::query(folder.history(), QStringLiteral("SELECT id FROM tab WHERE fam = 'Последний'")))
        EXPECT_GT(row.value(0).toLongLong(), lastId);

    reportFigure("searches_started", attempts.size());
    reportFigure("kills_survived", kills);
    reportFigure("searches_reported_before_kill_or_end", reported);
}
