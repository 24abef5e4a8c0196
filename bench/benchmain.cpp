// zelvik-bench --directory=DIR [--startup_runs=N] [--windows_build=DIR] [Google Benchmark flags]
// Every benchmark of the program against its floor, on the directory that zelvik-gen made in DIR;
// with --windows_build, the Windows build (scripts/windows) under wine beside this one, for information.
#include "bench/takeoption.h"
#include "bench/benchdirectory.h"
#include "bench/bm_cli.h"
#include "bench/bm_startup.h"
#include "bench/bm_wine.h"
#include "bench/machinedescription.h"


#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <exception>

namespace {

constexpr int kStartupRuns = 15;

// The offscreen platform says so for every window shown; it drowns the table.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// Takes --name=value out of the arguments; the rest go to Qt and Google Benchmark.
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const char *directory = bench::takeOption(argc, argv, "--directory");
    const char *runs = bench::takeOption(argc, argv, "--startup_runs");
    const char *windowsBuild = bench::takeOption(argc, argv, "--windows_build");
    qInstallMessageHandler(quietOffscreenNotes);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!directory || benchmark::ReportUnrecognizedArguments(argc, argv)) {
        std::fputs("usage: zelvik-bench --directory=DIR [--startup_runs=N] [--windows_build=DIR] [--benchmark_...]\n", stderr);
        return 2;
    }
    try {
        bench::setBenchDirectory(bench::openBenchDirectory(QString::fromLocal8Bit(directory)));
    } catch (const std::exception &e) {
        // The store's errors as well: for a benchmark their diagnostic form will do.
        std::fprintf(stderr, "zelvik-bench: %s\n", e.what());
        return 1;
    }
    const bench::BenchDirectory &d = bench::benchDirectory();
    bench::describeRun(d);
    // The main window finds its data files in the working directory.
    QDir::setCurrent(d.folder);
    bench::registerStartupBenchmarks(runs ? std::atoi(runs) : kStartupRuns);
    // A lookup process lasts a few milliseconds, so one scheduling hiccup moves it by a tenth or
    // more; four times the runs (about a second in all) steady its median.
    bench::registerCliBenchmarks(4 * (runs ? std::atoi(runs) : kStartupRuns));
    if (windowsBuild)
        bench::registerWineBenchmarks(QString::fromLocal8Bit(windowsBuild), runs ? std::atoi(runs) : kStartupRuns);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
