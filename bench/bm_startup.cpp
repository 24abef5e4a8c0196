#include "bench/bm_startup.h"

#include "bench/benchdirectory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace bench {

namespace {

constexpr int kProcessWaitMs = 60'000;

// A program started in the benchmark directory with the start-up probe loaded into it.
class ProbedProcess {
public:
    ProbedProcess(const QString &program, const QByteArray &mode)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString bin = QCoreApplication::applicationDirPath();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("zelvikprobe"));
        environment.insert(QStringLiteral("QT_PLUGIN_PATH"), bin + QStringLiteral("/probe"));
        environment.insert(QStringLiteral("ZELVIK_PROBE"), QString::fromLatin1(mode));
        environment.insert(QStringLiteral("ZELVIK_PROBE_SURNAME"), benchDirectory().commonSurnameText());
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(benchDirectory().folder);
        m_process.setProgram(bin + QLatin1Char('/') + program);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.setStandardErrorFile(QProcess::nullDevice());
    }

    ~ProbedProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kProcessWaitMs);
        }
    }

    void start() { m_process.start(); }

    // The next line the probe prints; empty when the process ended without one.
    QByteArray line()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(kProcessWaitMs))
                return {};
        return m_process.readLine().trimmed();
    }

private:
    QProcess m_process;
};

void startup(benchmark::State &state, const QString &program)
{
    for (auto _ : state) {
        ProbedProcess process(program, "frame");
        QElapsedTimer clock;
        clock.start();
        process.start();
        if (process.line() != "frame") {
            state.SkipWithError("the program ended before its first frame");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}

void BM_StartupBareWindow(benchmark::State &state)
{
    startup(state, QStringLiteral("zelvik-bare-window"));
}

void BM_StartupMainWindow(benchmark::State &state)
{
    startup(state, QStringLiteral("zelvik"));
}

// Resident memory is reported in megabytes, in counters; the time is that of the whole run.
void BM_MainWindowMemory(benchmark::State &state)
{
    for (auto _ : state) {
        ProbedProcess process(QStringLiteral("zelvik"), "memory");
        process.start();
        for (QByteArray line = process.line(); !line.isEmpty() && line != "frame"; line = process.line()) {
            const qsizetype eq = line.indexOf('=');
            const QByteArray key = line.left(eq), value = line.mid(eq + 1);
            if (key == "error") {
                state.SkipWithError(value.constData());
                return;
            }
            if (key.endsWith("_kb"))
                state.counters[key.chopped(3).append("_mb").toStdString()] = value.toDouble() / 1024;
            else
                state.counters[key.toStdString()] = value.toDouble();
        }
    }
    if (state.counters.count("rss_idle_mb") && state.counters.count("rss_shown_mb"))
        state.counters["rss_added_mb"] = state.counters["rss_shown_mb"] - state.counters["rss_idle_mb"];
}

} // namespace

void registerStartupBenchmarks(int runs)
{
    for (auto [name, function] : {std::pair{"BM_StartupBareWindow", &BM_StartupBareWindow},
                                  std::pair{"BM_StartupMainWindow", &BM_StartupMainWindow}})
        benchmark::RegisterBenchmark(name, function)->UseManualTime()->Iterations(1)->Repetitions(runs);
    benchmark::RegisterBenchmark("BM_MainWindowMemory", &BM_MainWindowMemory)->Iterations(1)->Repetitions(1)->UseRealTime();
}

} // namespace bench
