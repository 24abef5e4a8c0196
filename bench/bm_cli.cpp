#include "bench/bm_cli.h"

#include "bench/benchdirectory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace bench {

namespace {

constexpr int kProcessWaitMs = 60'000;

// Runs the program in the directory's folder for the rare surname, timed from start to exit with
// all of its output read.
void wholeProcess(benchmark::State &state, const char *program, QStringList arguments)
{
    arguments << benchDirectory().rareSurnameText();
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(program);
    const QByteArray expected = "Найдено: " + QByteArray::number(benchDirectory().rareRows) + '\n';
    for (auto _ : state) {
        QProcess process;
        process.setWorkingDirectory(benchDirectory().folder);
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(path, arguments);
        const bool finished = process.waitForFinished(kProcessWaitMs);
        const QByteArray output = process.readAllStandardOutput();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!finished || process.exitCode() != 0 || !output.startsWith(expected)
            || output.count('\n') != benchDirectory().rareRows + 1) {
            state.SkipWithError("the program did not print the surname's rows");
            break;
        }
    }
}

void BM_CliPlainCFind(benchmark::State &state)
{
    wholeProcess(state, "zelvik-plain-find", {});
}

void BM_CliBareFind(benchmark::State &state)
{
    wholeProcess(state, "zelvik-bare-find", {});
}

void BM_CliFind(benchmark::State &state)
{
    wholeProcess(state, "zelvik-cli", {QStringLiteral("find"), QStringLiteral("--surname")});
}

} // namespace

void registerCliBenchmarks(int runs)
{
    for (auto [name, function] : {std::pair{"BM_CliPlainCFind", &BM_CliPlainCFind},
                                  std::pair{"BM_CliBareFind", &BM_CliBareFind}, std::pair{"BM_CliFind", &BM_CliFind}})
        benchmark::RegisterBenchmark(name, function)->UseManualTime()->Iterations(1)->Repetitions(runs);
}

} // namespace bench
