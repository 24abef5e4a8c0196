#include "bench/bm_wine.h"

#include "bench/benchdirectory.h"
#include "bench/bm_cli.h"

#include <QList>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace bench {

namespace {

constexpr int kSearchesPerRun = 100;
constexpr int kWindowWaitMs = 600'000;

QString g_windowsBuild;

// build-windows/wine-run starts a program of that build under wine, with the DLLs it was built with.
QString wineRun()
{
    return g_windowsBuild + QStringLiteral("/wine-run");
}

QString windowsProgram(const char *name)
{
    return g_windowsBuild + QStringLiteral("/bin/") + QLatin1String(name) + QStringLiteral(".exe");
}

void BM_WineCliFind(benchmark::State &state)
{
    wholeProcess(state, wineRun(), {windowsProgram("zelvik-cli"), QStringLiteral("find"), QStringLiteral("--surname")});
}

// The times of a run of searches in one window under wine, each measured inside that process; empty
// when the run failed.
QList<qint64> searchesUnderWine()
{
    const BenchDirectory &d = benchDirectory();
    QProcess process;
    process.setWorkingDirectory(d.folder);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(wineRun(), {windowsProgram("zelvik-window-search"), d.rareSurnameText(), QString::number(d.rareRows),
                              QString::number(kSearchesPerRun)});
    QList<qint64> times;
    if (!process.waitForFinished(kWindowWaitMs) || process.exitCode() != 0)
        return times;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty())
            times.append(line.trimmed().toLongLong());
    return times;
}

// Each iteration is one search of a window under wine, a run of them at a time: the window's
// start-up, which wine slows most, stays out as it does on Linux.
void BM_WineGuiSearchRare(benchmark::State &state)
{
    static QList<qint64> times;
    for (auto _ : state) {
        if (times.isEmpty())
            times = searchesUnderWine();
        if (times.isEmpty()) {
            state.SkipWithError("the window under wine did not show the surname's rows");
            break;
        }
        state.SetIterationTime(double(times.takeFirst()) / 1e9);
    }
}

} // namespace

void registerWineBenchmarks(const QString &windowsBuild, int runs)
{
    g_windowsBuild = windowsBuild;
    benchmark::RegisterBenchmark("BM_WineCliFind", BM_WineCliFind)->UseManualTime()->Iterations(1)->Repetitions(runs);
    benchmark::RegisterBenchmark("BM_WineGuiSearchRare", BM_WineGuiSearchRare)
        ->UseManualTime()->Iterations(20)->Repetitions(runs);
}

} // namespace bench
