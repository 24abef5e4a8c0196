#include "bench/benchresults.h"

#include <gtest/gtest.h>

namespace {

using bench::BenchResults;

// A report in Google Benchmark's JSON format: repetitions with a median, a single run with
// counters, a failed run, and start-up runs with their decorated names.
QByteArray report(const QString &benchmarks)
{
    return QStringLiteral(R"({"context": {"directory_entries": "5000000", "num_cpus": 2}, "benchmarks": [%1]})")
        .arg(benchmarks)
        .toUtf8();
}

QString run(const QString &runName, const QString &type, double time, const QString &unit, int repetitions,
            const QString &extra = {})
{
    return QStringLiteral(R"({"name": "%1", "run_name": "%1", "run_type": "%2", "repetitions": %3,
        "real_time": %4, "cpu_time": %4, "time_unit": "%5"%6})")
        .arg(runName, type)
        .arg(repetitions)
        .arg(time)
        .arg(unit, extra);
}

QString median(const QString &runName, double time, const QString &unit)
{
    return run(runName, QStringLiteral("aggregate"), time, unit, 3, QStringLiteral(R"(, "aggregate_name": "median")"));
}

QString mean(const QString &runName, double time, const QString &unit)
{
    return run(runName, QStringLiteral("aggregate"), time, unit, 3, QStringLiteral(R"(, "aggregate_name": "mean")"));
}

const QString kIteration = QStringLiteral("iteration");

TEST(BenchResults, TakesTheMedianNotTheMeanOrARepetition)
{
    const auto results = BenchResults::fromJson(report(
        run(QStringLiteral("BM_RawPhone/real_time"), kIteration, 99, QStringLiteral("ns"), 3) + ','
        + mean(QStringLiteral("BM_RawPhone/real_time"), 50, QStringLiteral("ns")) + ','
        + median(QStringLiteral("BM_RawPhone/real_time"), 8, QStringLiteral("us"))));
    ASSERT_TRUE(results.find(QStringLiteral("BM_RawPhone")));
    EXPECT_DOUBLE_EQ(results.find(QStringLiteral("BM_RawPhone"))->nanoseconds, 8000);
}

TEST(BenchResults, KeepsWallAndProcessorTime)
{
    const auto results = BenchResults::fromJson(report(QStringLiteral(
        R"({"name": "BM_RawRareSurname/real_time", "run_name": "BM_RawRareSurname/real_time", "run_type": "iteration",
            "repetitions": 1, "real_time": 11, "cpu_time": 7, "time_unit": "us"})")));
    const auto rare = results.find(QStringLiteral("BM_RawRareSurname"));
    ASSERT_TRUE(rare);
    EXPECT_DOUBLE_EQ(rare->nanoseconds, 11'000);
    EXPECT_DOUBLE_EQ(rare->cpuNanoseconds, 7'000);
}

// Lookups compute, so a busy machine must not make them look slower: they compare processor time.
TEST(PerformanceTable, LookupsCompareProcessorTimeAndSynthesisTheWallClock)
{
    const auto pair = [](const QString &name, double wall, double cpu) {
        return QStringLiteral(R"({"name": "%1", "run_name": "%1", "run_type": "iteration", "repetitions": 1,
            "real_time": %2, "cpu_time": %3, "time_unit": "us"})")
            .arg(name)
            .arg(wall)
            .arg(cpu);
    };
    bool met = true;
    const QString table = bench::performanceTable(
        BenchResults::fromJson(report(pair(QStringLiteral("BM_RawPhone"), 10, 4) + ','
                                      + pair(QStringLiteral("BM_ChannelPhone"), 30, 4.4) + ','
                                      + pair(QStringLiteral("BM_RawSynthesise4"), 100, 10) + ','
                                      + pair(QStringLiteral("BM_SearchSynthesise4"), 200, 10))),
        met);
    EXPECT_TRUE(table.contains(QStringLiteral("| phone | CPU | `BM_RawPhone` | 4.00 µs | `BM_ChannelPhone` | 4.40 µs | 1.10 |")))
        << table.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("| 2.00 | ≤ 1.30 MISSED |"))) << table.toStdString();
}

TEST(BenchResults, TakesASingleRunWithItsCounters)
{
    const auto results = BenchResults::fromJson(
        report(run(QStringLiteral("BM_MainWindowMemory/iterations:1/repeats:1/real_time"), kIteration, 2,
                   QStringLiteral("ms"), 1, QStringLiteral(R"(, "rss_added_mb": 4.5, "iterations": 1)"))));
    const auto memory = results.find(QStringLiteral("BM_MainWindowMemory"));
    ASSERT_TRUE(memory);
    EXPECT_DOUBLE_EQ(memory->nanoseconds, 2e6);
    EXPECT_DOUBLE_EQ(memory->counters.value(QStringLiteral("rss_added_mb")), 4.5);
    EXPECT_FALSE(memory->counters.contains(QStringLiteral("iterations")));
}

TEST(BenchResults, IgnoresFailedRunsAndKeepsTheContext)
{
    const auto results = BenchResults::fromJson(
        report(run(QStringLiteral("BM_GuiSearchRare/real_time"), kIteration, 1, QStringLiteral("ms"), 1,
                   QStringLiteral(R"(, "error_occurred": true, "error_message": "x")"))));
    EXPECT_FALSE(results.find(QStringLiteral("BM_GuiSearchRare")));
    EXPECT_EQ(results.context(QStringLiteral("directory_entries")), QStringLiteral("5000000"));
    EXPECT_EQ(results.context(QStringLiteral("num_cpus")), QStringLiteral("2"));
}

TEST(BenchResults, RefusesTextThatIsNoReport)
{
    EXPECT_THROW(BenchResults::fromJson("not json"), std::runtime_error);
    EXPECT_THROW(BenchResults::fromJson(R"({"context": {}})"), std::runtime_error);
}

TEST(FormatDuration, PicksTheUnitAndThreeFigures)
{
    EXPECT_EQ(bench::formatDuration(12'345), QStringLiteral("12.3 µs"));
    EXPECT_EQ(bench::formatDuration(8'000), QStringLiteral("8.00 µs"));
    EXPECT_EQ(bench::formatDuration(110'000), QStringLiteral("110 µs"));
    EXPECT_EQ(bench::formatDuration(28'400'000), QStringLiteral("28.4 ms"));
    EXPECT_EQ(bench::formatDuration(999), QStringLiteral("999 ns"));
    EXPECT_EQ(bench::formatDuration(2.5e9), QStringLiteral("2.50 s"));
}

// Every pair at the given ratio, and the memory and click figures.
QByteArray allPairs(double ratio, double addedMegabytes, double clickMs = 20)
{
    QStringList runs;
    for (const bench::PairTarget &pair : bench::pairTargets()) {
        runs << median(pair.floor + QStringLiteral("/real_time"), 10, QStringLiteral("us"))
             << median(pair.product + QStringLiteral("/real_time"), 10 * ratio, QStringLiteral("us"));
    }
    runs << run(QStringLiteral("BM_MainWindowMemory/real_time"), kIteration, 1, QStringLiteral("s"), 1,
                QStringLiteral(R"(, "rss_added_mb": %1, "click_ms": %2)").arg(addedMegabytes).arg(clickMs));
    return report(runs.join(QLatin1Char(',')));
}

TEST(PerformanceTable, AllTargetsMet)
{
    bool met = false;
    const QString table = bench::performanceTable(BenchResults::fromJson(allPairs(1.1, 3)), met);
    EXPECT_TRUE(met) << table.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("| 1.10 |"))) << table.toStdString();
    EXPECT_FALSE(table.contains(QStringLiteral("MISSED")));
}

TEST(PerformanceTable, ARatioOverItsTargetIsMissed)
{
    bool met = true;
    const QString table = bench::performanceTable(BenchResults::fromJson(allPairs(1.25, 3)), met);
    EXPECT_FALSE(met);
    // 1.25 misses the 1.15 of the two single lookups and meets the 1.3 and 1.5 of the others.
    EXPECT_EQ(table.count(QStringLiteral("MISSED")), 2) << table.toStdString();
}

TEST(PerformanceTable, TooMuchMemoryOrASlowClickIsMissed)
{
    for (const auto &[added, click] : {std::pair{31.0, 20.0}, std::pair{3.0, 50.0}}) {
        bool met = true;
        const QString table = bench::performanceTable(BenchResults::fromJson(allPairs(1.0, added, click)), met);
        EXPECT_FALSE(met) << added << " MB, " << click << " ms";
        EXPECT_EQ(table.count(QStringLiteral("MISSED")), 1) << table.toStdString();
    }
}

// The row that shows what QtCore costs has no target: however high, and even missing, it fails nothing.
TEST(PerformanceTable, AnInformationRowFailsNothing)
{
    const auto single = [](const char *name, double us) {
        return run(QString::fromLatin1(name), kIteration, us, QStringLiteral("us"), 1);
    };
    bool met = false;
    const QString table = bench::performanceTable(
        BenchResults::fromJson(report(single("BM_CliPlainCFind", 1) + ',' + single("BM_CliBareFind", 5))), met);
    EXPECT_TRUE(table.contains(QStringLiteral("| 5.00 | no target |"))) << table.toStdString();
    EXPECT_FALSE(table.contains(QStringLiteral("| `BM_CliPlainCFind` | 1.00 µs | `BM_CliBareFind` | 5.00 µs | 5.00 | ≤")));
}

// Where both sides ran by turns, their counters decide the pair, whatever the separate runs said.
TEST(PerformanceTable, APairRunByTurnsOutweighsTheSeparateRuns)
{
    const QString byTurns = median(QStringLiteral("BM_PairPhone/real_time"), 9, QStringLiteral("us"))
                                .replace(QStringLiteral(R"("aggregate_name": "median")"),
                                         QStringLiteral(R"("aggregate_name": "median", "floor_ns": 4000, "product_ns": 4400)"));
    const QString apart = median(QStringLiteral("BM_RawPhone/real_time"), 4, QStringLiteral("us")) + ','
                          + median(QStringLiteral("BM_ChannelPhone/real_time"), 8, QStringLiteral("us"));
    bool met = false;
    const QString table = bench::performanceTable(BenchResults::fromJson(report(byTurns + ',' + apart)), met);
    EXPECT_TRUE(table.contains(QStringLiteral("| phone | CPU | `BM_RawPhone` | 4.00 µs | `BM_ChannelPhone` | 4.40 µs | 1.10 | ≤ 1.15 met |")))
        << table.toStdString();
}

TEST(ReportHeading, NamesTheProcessorFirst)
{
    const auto results = BenchResults::fromJson(
        R"({"context": {"cpu_model": "Intel(R) Xeon(R) Processor @ 2.80GHz", "num_cpus": 2}, "benchmarks": []})");
    EXPECT_TRUE(bench::reportHeading(results).startsWith(QStringLiteral("### Intel(R) Xeon(R) Processor @ 2.80GHz\n")))
        << bench::reportHeading(results).toStdString();
}

TEST(PerformanceTable, AMissingBenchmarkIsNoPass)
{
    bool met = true;
    const QString table = bench::performanceTable(BenchResults::fromJson(report({})), met);
    EXPECT_FALSE(met);
    EXPECT_TRUE(table.contains(QStringLiteral("missing")));
}

} // namespace

namespace {

// A server-only report: its lookup pairs within their targets, and the two operator loads, the
// scaled-out one with these counters.
QByteArray operatorLoads(const QString &scaledOutCounters)
{
    const QString sound = QStringLiteral(R"(, "operators": 64, "searches": 1000, "errors": 0, "rows_accounted": 1, "invented_again": 0)");
    QString pairs;
    for (const char *lookup : {"RareSurname", "Phone"})
        pairs += median(QStringLiteral("BM_RawServer%1/real_time").arg(QLatin1String(lookup)), 100, QStringLiteral("us")) + ','
                 + median(QStringLiteral("BM_ChannelServer%1/real_time").arg(QLatin1String(lookup)), 110, QStringLiteral("us")) + ',';
    return report(pairs + run(QStringLiteral("BM_ServerOperators/iterations:1/real_time"), kIteration, 9, QStringLiteral("ms"), 1, sound)
                  + ',' + run(QStringLiteral("BM_ScaledOutOperators/iterations:1/real_time"), kIteration, 9, QStringLiteral("ms"), 1,
                              sound + scaledOutCounters));
}

} // namespace

// An operator load fails the report when anything failed, an entry is missing, a surname was invented
// twice, or the replica answered half the searches or fewer; the file's pairs, not run, are not missing.
TEST(PerformanceTable, AnOperatorLoadIsSoundOrMissed)
{
    const std::pair<const char *, bool> cases[] = {
        {R"(, "on_replica": 700)", true},
        {R"(, "on_replica": 500)", false},
        {R"(, "on_replica": 700, "errors": 1)", false},
        {R"(, "on_replica": 700, "invented_again": 1)", false},
        {R"(, "on_replica": 700, "rows_accounted": 0)", false},
    };
    for (const auto &[counters, sound] : cases) {
        bool met = !sound;
        // A later key of the same name wins in Qt's JSON reader, so the case's counters override.
        const QString table = bench::performanceTable(BenchResults::fromJson(operatorLoads(QLatin1String(counters))), met);
        EXPECT_EQ(met, sound) << counters << '\n' << table.toStdString();
        EXPECT_FALSE(table.contains(QStringLiteral("| rare surname |"))) << table.toStdString();
        EXPECT_EQ(table.count(QStringLiteral("| met |")), sound ? 2 : 1) << table.toStdString();
    }
}
