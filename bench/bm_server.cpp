// The directory on a PostgreSQL server: single lookups through the channel against raw prepared
// libpq statements, and operators searching at once: on the server alone, and scaled out.
#include "bench/alternation.h"
#include "bench/benchdirectory.h"
#include "bench/operatorload.h"

#include "store/connection.h"
#include "store/querychannel.h"

#include <libpq-fe.h>

#include <benchmark/benchmark.h>

namespace {

using bench::benchDirectory;

// The floor: one prepared statement, executed by name, every cell of every row touched.
class RawServerLookup {
public:
    RawServerLookup(const char *sql, std::string value)
        : m_conn(PQconnectdb(bench::benchServer().toUtf8().constData())), m_value(std::move(value))
    {
        PQclear(PQprepare(m_conn, "lookup", sql, 1, nullptr));
    }
    ~RawServerLookup() { PQfinish(m_conn); }
    RawServerLookup(const RawServerLookup &) = delete;
    RawServerLookup &operator=(const RawServerLookup &) = delete;

    // The rows found, or -1 with the server's message in error.
    int once(std::string &error)
    {
        const char *values[] = {m_value.c_str()};
        PGresult *result = PQexecPrepared(m_conn, "lookup", 1, values, nullptr, nullptr, 0);
        if (PQresultStatus(result) != PGRES_TUPLES_OK) {
            error = PQresultErrorMessage(result);
            PQclear(result);
            return -1;
        }
        const int rows = PQntuples(result);
        const int columns = PQnfields(result);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                benchmark::DoNotOptimize(PQgetvalue(result, r, c));
                benchmark::DoNotOptimize(PQgetlength(result, r, c));
            }
        PQclear(result);
        return rows;
    }

private:
    PGconn *m_conn;
    std::string m_value;
};

// The program's side: the statement through the query channel, counted, every cell read.
class ChannelServerLookup {
public:
    ChannelServerLookup(const char *column, const std::string &value)
        : m_channel(m_connection), m_statement(QStringLiteral("select * from tab where %1=\"%2\"")
                                                    .arg(QLatin1String(column), QString::fromStdString(value)))
    {
        m_connection.setServer(bench::benchServer());
        m_channel.connect();
    }

    int once()
    {
        m_channel.run(m_statement);
        const int rows = m_channel.count();
        while (!m_channel.atEnd())
            m_channel.fetch(256);
        const int columns = int(m_channel.columnNames().size());
        for (int r = 0; r < m_channel.fetched(); ++r)
            for (int c = 0; c < columns; ++c)
                benchmark::DoNotOptimize(m_channel.cell(r, c));
        return rows;
    }

private:
    store::Connection m_connection;
    store::QueryChannel m_channel;
    QString m_statement;
};

void rawServerLookup(benchmark::State &state, const char *sql, const std::string &value)
{
    RawServerLookup lookup(sql, value);
    std::string error;
    int rows = 0;
    for (auto _ : state)
        if ((rows = lookup.once(error)) < 0) {
            state.SkipWithError(error.c_str());
            break;
        }
    state.counters["rows"] = double(rows);
}

void channelServerLookup(benchmark::State &state, const char *column, const std::string &value)
{
    ChannelServerLookup lookup(column, value);
    int rows = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rows = lookup.once());
    state.counters["rows"] = double(rows);
}

// Both sides by turns, by the wall clock (the work is the server's), eight lookups a turn; each
// must find the directory's rows. Not what the table judges the server by: on a machine of few
// processors the wall clock here mostly tells whether each connection's server process shares the
// benchmark's processor or must be woken on another.
void pairedServerLookup(benchmark::State &state, const char *sql, const char *column, const std::string &value,
                        std::int64_t expected)
{
    RawServerLookup raw(sql, value);
    ChannelServerLookup channel(column, value);
    std::string error;
    bench::alternate(state, [&] { return raw.once(error) == expected; }, [&] { return channel.once() == expected; }, 8,
                     true);
}

void BM_RawServerRareSurname(benchmark::State &state)
{
    rawServerLookup(state, "select * from tab where fam=$1", benchDirectory().rareSurname);
}

void BM_ChannelServerRareSurname(benchmark::State &state)
{
    channelServerLookup(state, "fam", benchDirectory().rareSurname);
}

void BM_PairServerRareSurname(benchmark::State &state)
{
    pairedServerLookup(state, "select * from tab where fam=$1", "fam", benchDirectory().rareSurname,
                       benchDirectory().rareRows);
}

void BM_RawServerPhone(benchmark::State &state)
{
    rawServerLookup(state, "select * from tab where tele=$1", benchDirectory().phone);
}

void BM_ChannelServerPhone(benchmark::State &state)
{
    channelServerLookup(state, "tele", benchDirectory().phone);
}

void BM_PairServerPhone(benchmark::State &state)
{
    pairedServerLookup(state, "select * from tab where tele=$1", "tele", benchDirectory().phone, 1);
}

void reportLoad(benchmark::State &state, const bench::LoadSetup &setup)
{
    bench::OperatorLoad load;
    for (auto _ : state)
        load = bench::runOperators(setup, bench::operatorCount(), bench::searchesPerOperator());
    if (!load.error.isEmpty())
        state.SkipWithError(load.error.toStdString().c_str());
    state.counters["operators"] = double(bench::operatorCount());
    state.counters["searches"] = double(load.searches);
    state.counters["searches_per_s"] = load.searchesPerSecond;
    state.counters["errors"] = double(load.errors);
    state.counters["edits"] = double(load.edits);
    state.counters["on_replica"] = double(load.onReplica);
    state.counters["invented_rows"] = double(load.invented);
    state.counters["invented_again"] = double(load.inventedAgain);
    state.counters["rows_accounted"] = load.rowsAccounted ? 1 : 0;
    state.counters["wal_mb"] = load.walBytes / 1e6;
    state.counters["p50_ms"] = load.p50Ms;
    state.counters["p99_ms"] = load.p99Ms;
}

// Operator processes on the primary alone, each doing its searches as fast as it can; one iteration.
void BM_ServerOperators(benchmark::State &state)
{
    reportLoad(state, {bench::benchServer(), QString(), false});
}

// The same load through pgbouncer in transaction mode, its lookups on a streaming replica.
void BM_ScaledOutOperators(benchmark::State &state)
{
    reportLoad(state, bench::scaledOutSetup());
}

} // namespace

void bench::registerScaledOutLoad()
{
    benchmark::RegisterBenchmark("BM_ScaledOutOperators", BM_ScaledOutOperators)
        ->Iterations(1)
        ->Repetitions(1)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_RawServerRareSurname)->UseRealTime();
BENCHMARK(BM_ChannelServerRareSurname)->UseRealTime();
BENCHMARK(BM_RawServerPhone)->UseRealTime();
BENCHMARK(BM_ChannelServerPhone)->UseRealTime();
BENCHMARK(BM_PairServerRareSurname)->UseRealTime();
BENCHMARK(BM_PairServerPhone)->UseRealTime();
BENCHMARK(BM_ServerOperators)->Iterations(1)->Repetitions(1)->UseRealTime()->Unit(benchmark::kMillisecond);
