// Single lookups: raw prepared SQLite against the program's query channel, on the same file, the
// same index and the same collation.
#include "bench/alternation.h"
#include "bench/benchdirectory.h"
#include "bench/rawsqlite.h"
#include "bench/rowreading.h"

#include "store/connection.h"
#include "store/querychannel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <optional>

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

// Every field of the first `limit` rows of the channel's open result.
void readRows(store::QueryChannel &channel, int limit)
{
    while (!channel.atEnd() && channel.fetched() < limit)
        channel.fetch(std::min(256, limit - channel.fetched()));
    const int columns = int(channel.columnNames().size());
    for (int r = 0; r < channel.fetched(); ++r)
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(channel.cell(r, c));
}

// The floor: one prepared select, every field of every row read.
class RawLookup {
public:
    RawLookup(const char *sql, std::string value) : m_db(benchDirectory().historyPath), m_value(std::move(value))
    {
        m_db.useProgramSettings();
        m_select.emplace(m_db.handle(), sql);
    }

    std::int64_t once()
    {
        m_select->bindText(1, m_value);
        std::int64_t rows = 0;
        while (m_select->step()) {
            ++rows;
            bench::readRawRow(m_select->handle());
        }
        m_select->reset();
        return rows;
    }

private:
    RawDatabase m_db;
    std::optional<RawStatement> m_select;
    std::string m_value;
};

// The program's side: the statement through the query channel, counted, and every cell of its
// first rowsToRead rows read.
class ChannelLookup {
public:
    ChannelLookup(const char *column, const std::string &value, int rowsToRead = INT_MAX)
        : m_connection(QString::fromStdString(benchDirectory().historyPath)), m_channel(m_connection),
          m_statement(jetLookup(column, value)), m_rowsToRead(rowsToRead)
    {
        m_channel.connect();
    }

    int once()
    {
        m_channel.run(m_statement);
        const int rows = m_channel.count();
        readRows(m_channel, m_rowsToRead);
        return rows;
    }

private:
    store::Connection m_connection;
    store::QueryChannel m_channel;
    QString m_statement;
    int m_rowsToRead;
};

void rawLookup(benchmark::State &state, const char *sql, const std::string &value)
{
    RawLookup lookup(sql, value);
    std::int64_t rows = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rows = lookup.once());
    state.counters["rows"] = double(rows);
}

void channelLookup(benchmark::State &state, const char *column, const std::string &value)
{
    ChannelLookup lookup(column, value);
    int rows = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rows = lookup.once());
    state.counters["rows"] = double(rows);
}

// Both sides by turns, sixteen lookups a turn; each must find the directory's rows.
void pairedLookup(benchmark::State &state, const char *sql, const char *column, const std::string &value,
                  std::int64_t expected)
{
    RawLookup raw(sql, value);
    ChannelLookup channel(column, value);
    bench::alternate(state, [&] { return raw.once() == expected; }, [&] { return channel.once() == expected; }, 16,
                     false);
}

void BM_PairRareSurname(benchmark::State &state)
{
    pairedLookup(state, "select * from tab where fam=?", "fam", benchDirectory().rareSurname, benchDirectory().rareRows);
}

void BM_PairPhone(benchmark::State &state)
{
    pairedLookup(state, "select * from tab where tele=?", "tele", benchDirectory().phone, 1);
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

// The most frequent surname as the grid first shows it: the count, then the first screen of rows.
class RawFirstScreen {
public:
    RawFirstScreen() : m_db(benchDirectory().historyPath)
    {
        m_db.useProgramSettings();
        m_count.emplace(m_db.handle(), "select count(*) from tab where fam=?");
        m_select.emplace(m_db.handle(), "select * from tab where fam=?");
    }

    std::int64_t once()
    {
        const std::string &surname = benchDirectory().commonSurname;
        m_count->bindText(1, surname);
        m_count->step();
        const std::int64_t rows = sqlite3_column_int64(m_count->handle(), 0);
        m_count->reset();
        m_select->bindText(1, surname);
        for (int r = 0; r < kFirstScreen && m_select->step(); ++r)
            bench::readRawRow(m_select->handle());
        m_select->reset();
        return rows;
    }

private:
    RawDatabase m_db;
    std::optional<RawStatement> m_count;
    std::optional<RawStatement> m_select;
};

void BM_RawCommonFirstScreen(benchmark::State &state)
{
    RawFirstScreen screen;
    std::int64_t rows = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rows = screen.once());
    state.counters["rows"] = double(rows);
}

void BM_ChannelCommonFirstScreen(benchmark::State &state)
{
    ChannelLookup screen("fam", benchDirectory().commonSurname, kFirstScreen);
    int rows = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rows = screen.once());
    state.counters["rows"] = double(rows);
}

void BM_PairCommonFirstScreen(benchmark::State &state)
{
    RawFirstScreen raw;
    ChannelLookup channel("fam", benchDirectory().commonSurname, kFirstScreen);
    const std::int64_t expected = benchDirectory().commonRows;
    bench::alternate(state, [&] { return raw.once() == expected; }, [&] { return channel.once() == expected; }, 1,
                     false);
}

} // namespace

BENCHMARK(BM_RawRareSurname)->UseRealTime();
BENCHMARK(BM_ChannelRareSurname)->UseRealTime();
BENCHMARK(BM_RawPhone)->UseRealTime();
BENCHMARK(BM_ChannelPhone)->UseRealTime();
BENCHMARK(BM_RawCommonFirstScreen)->UseRealTime();
BENCHMARK(BM_ChannelCommonFirstScreen)->UseRealTime();
BENCHMARK(BM_PairRareSurname)->UseRealTime();
BENCHMARK(BM_PairPhone)->UseRealTime();
BENCHMARK(BM_PairCommonFirstScreen)->UseRealTime();
