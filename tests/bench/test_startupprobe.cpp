// The start-up probe, loaded into real programs the way the start-up benchmarks load it.
#include "bench/benchdirectory.h"
#include "bench/directorygenerator.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 60'000;

struct ProbeRun {
    int exitCode = -1;
    QMap<QByteArray, QByteArray> values; // key=value lines
    QList<QByteArray> lines;
};

ProbeRun runProbed(const QString &program, const QByteArray &mode, const QString &folder, const QString &surname = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("zelvikprobe"));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(ZELVIK_PROBE_PLUGIN_PATH));
    environment.insert(QStringLiteral("ZELVIK_PROBE"), QString::fromLatin1(mode));
    environment.insert(QStringLiteral("ZELVIK_PROBE_SURNAME"), surname);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, {});
    ProbeRun run;
    if (!process.waitForFinished(kWaitMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (line.isEmpty())
            continue;
        run.lines.append(line);
        if (const qsizetype eq = line.indexOf('='); eq > 0)
            run.values.insert(line.left(eq), line.mid(eq + 1));
    }
    return run;
}

TEST(StartupProbe, EndsABareWindowAtItsFirstFrame)
{
    QTemporaryDir folder;
    const ProbeRun run = runProbed(QStringLiteral(ZELVIK_BARE_WINDOW), "frame", folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.lines, QList<QByteArray>{"frame"});
}

class StartupProbeOnTheProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        // Enough entries that the common surname fills more than one batch of the grid.
        bench::generateDirectory(folder->path(), {40'000, 3, {}});
        directory = new bench::BenchDirectory(bench::openBenchDirectory(folder->path()));
    }
    static void TearDownTestSuite()
    {
        delete directory;
        delete folder;
    }
    static QTemporaryDir *folder;
    static bench::BenchDirectory *directory;
};

QTemporaryDir *StartupProbeOnTheProgram::folder = nullptr;
bench::BenchDirectory *StartupProbeOnTheProgram::directory = nullptr;

TEST_F(StartupProbeOnTheProgram, EndsTheProgramAtItsFirstFrame)
{
    const ProbeRun run = runProbed(QStringLiteral(ZELVIK_PROGRAM), "frame", folder->path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.lines, QList<QByteArray>{"frame"});
}

// The grid takes rows as it needs them: a result of hundreds of rows is not read whole.
TEST_F(StartupProbeOnTheProgram, MeasuresMemoryAroundALargeResultThatTheGridReadsInPart)
{
    ASSERT_GT(directory->commonRows, 300);
    const ProbeRun run =
        runProbed(QStringLiteral(ZELVIK_PROGRAM), "memory", folder->path(), directory->commonSurnameText());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.lines.last(), "frame");
    EXPECT_GT(run.values.value("rss_idle_kb").toLong(), 0);
    EXPECT_GE(run.values.value("rss_shown_kb").toLong(), run.values.value("rss_idle_kb").toLong());
    const int rows = run.values.value("rows_in_grid").toInt();
    EXPECT_GT(rows, 0);
    EXPECT_LT(rows, directory->commonRows);
}

TEST_F(StartupProbeOnTheProgram, ReportsAWindowWithoutTheSearchControls)
{
    const ProbeRun run = runProbed(QStringLiteral(ZELVIK_BARE_WINDOW), "memory", folder->path(), QStringLiteral("иванов"));
    EXPECT_TRUE(run.values.contains("error")) << run.lines.join('\n').toStdString();
}

} // namespace
