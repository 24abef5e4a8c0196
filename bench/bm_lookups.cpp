// Single lookups: raw prepared SQLite against the program's query channel, on the same file, the
// same index and the same collation.
#include "benchdirectory.h"
#include "rawsqlite.h"
#include "rowreading.h"

#include "connection.h"
#include "querychannel.h"

#include <benchmark/benchmark.h>

namespace {

using bench::benchDirectory;
using bench::RawDatabase;
using bench::RawStatement;

constexpr int kFirstScreen = 100;

QString jetLookup(const char *column, const std::string &value)
{
    return QStringLiteral("select * from tab where %1=\"%2\"")
        .arg(QLatin1String(column), QString::fromStdString(value));
}

// Every field of every row the channel's open result holds, read from start to end.
void readWholeResult(store::QueryChannel &channel)
{
    while (!channel.atEnd())
        channel.fetch(256);
    const int columns = int(channel.columnNames().size());
    for (int r = 0; r < channel.fetched(); ++r)
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(channel.cell(r, c));
}

void rawLookup(benchmark::State &state, const char *sql, const std::string &value)
{
    RawDatabase db(benchDirectory().historyPath);
    db.useProgramSettings();
    RawStatement select(db.handle(), sql);
    std::int64_t rows = 0;
    for (auto _ : state) {
        select.bindText(1, value);
        rows = 0;
        while (select.step()) {
            ++rows;
            bench::readRawRow(select.handle());
        }
        select.reset();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}

void channelLookup(benchmark::State &state, const char *column, const std::string &value)
{
    store::Connection connection(QString::fromStdString(benchDirectory().historyPath));
    store::QueryChannel channel(connection);
    channel.connect();
    const QString statement = jetLookup(column, value);
    int rows = 0;
    for (auto _ : state) {
        channel.run(statement);
        rows = channel.count();
        readWholeResult(channel);
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}

void BM_RawRareSurname(benchmark::State &state)
{
    rawLookup(state, "select * from tab where fam=?", benchDirectory().rareSurname);
}

void BM_ChannelRareSurname(benchmark::State &state)
{
    channelLookup(state, "fam", benchDirectory().rareSurname);
}

void BM_RawPhone(benchmark::State &state)
{
    rawLookup(state, "select * from tab where tele=?", benchDirectory().phone);
}

void BM_ChannelPhone(benchmark::State &state)
{
    channelLookup(state, "tele", benchDirectory().phone);
}

void BM_RawCommonFirstScreen(benchmark::State &state)
{
    RawDatabase db(benchDirectory().historyPath);
    db.useProgramSettings();
    RawStatement count(db.handle(), "select count(*) from tab where fam=?");
    RawStatement select(db.handle(), "select * from tab where fam=?");
    const std::string &surname = benchDirectory().commonSurname;
    std::int64_t rows = 0;
    for (auto _ : state) {
        count.bindText(1, surname);
        count.step();
        rows = sqlite3_column_int64(count.handle(), 0);
        count.reset();
        select.bindText(1, surname);
        for (int r = 0; r < kFirstScreen && select.step(); ++r)
            bench::readRawRow(select.handle());
        select.reset();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}

void BM_ChannelCommonFirstScreen(benchmark::State &state)
{
    store::Connection connection(QString::fromStdString(benchDirectory().historyPath));
    store::QueryChannel channel(connection);
    channel.connect();
    const QString statement = jetLookup("fam", benchDirectory().commonSurname);
    int rows = 0;
    for (auto _ : state) {
        channel.run(statement);
        rows = channel.count();
        channel.fetch(kFirstScreen - channel.fetched());
        const int columns = int(channel.columnNames().size());
        for (int r = 0; r < channel.fetched(); ++r)
            for (int c = 0; c < columns; ++c)
                benchmark::DoNotOptimize(channel.cell(r, c));
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}

} // namespace

BENCHMARK(BM_RawRareSurname)->UseRealTime();
BENCHMARK(BM_ChannelRareSurname)->UseRealTime();
BENCHMARK(BM_RawPhone)->UseRealTime();
BENCHMARK(BM_ChannelPhone)->UseRealTime();
BENCHMARK(BM_RawCommonFirstScreen)->UseRealTime();
BENCHMARK(BM_ChannelCommonFirstScreen)->UseRealTime();
