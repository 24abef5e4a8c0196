#include "bench/bm_cli.h"

#include "bench/benchdirectory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace bench {

namespace {

constexpr int kProcessWaitMs = 60'000;

// The program of that name beside this one.
QString besideMe(const char *program)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(program);
}

} // namespace

void wholeProcess(benchmark::State &state, const QString &path, QStringList arguments)
{
    arguments << benchDirectory().rareSurnameText();
    const QByteArray expected = "Найдено: " + QByteArray::number(benchDirectory().rareRows) + '\n';
    for (auto _ : state) {
        QProcess process;
        process.setWorkingDirectory(benchDirectory().folder);
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(path, arguments);
        const bool finished = process.waitForFinished(kProcessWaitMs);
        // A Windows program (under wine) may end its lines with CR LF.
        const QByteArray output = process.readAllStandardOutput().replace("\r\n", "\n");
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!finished || process.exitCode() != 0 || !output.startsWith(expected)
            || output.count('\n') != benchDirectory().rareRows + 1) {
            state.SkipWithError("the program did not print the surname's rows");
            break;
        }
    }
}

namespace {

void BM_CliPlainCFind(benchmark::State &state)
{
    wholeProcess(state, besideMe("zelvik-plain-find"), {});
}

void BM_CliBareFind(benchmark::State &state)
{
    wholeProcess(state, besideMe("zelvik-bare-find"), {});
}

void BM_CliFind(benchmark::State &state)
{
    wholeProcess(state, besideMe("zelvik-cli"), {QStringLiteral("find"), QStringLiteral("--surname")});
}

} // namespace

void registerCliBenchmarks(int runs)
{
    for (auto [name, function] : {std::pair{"BM_CliPlainCFind", &BM_CliPlainCFind},
                                  std::pair{"BM_CliBareFind", &BM_CliBareFind}, std::pair{"BM_CliFind", &BM_CliFind}})
        benchmark::RegisterBenchmark(name, function)->UseManualTime()->Iterations(1)->Repetitions(runs);
}

} // namespace bench
