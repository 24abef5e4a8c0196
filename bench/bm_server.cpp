// The directory on a PostgreSQL server: single lookups through the channel against raw prepared
// libpq statements, and eight operators searching at once.
#include "benchdirectory.h"
#include "operatorload.h"

#include "connection.h"
#include "querychannel.h"

#include <libpq-fe.h>

#include <benchmark/benchmark.h>

namespace {

using bench::benchDirectory;

QString serverOf(const benchmark::State &)
{
    return bench::benchServer();
}

// The floor: one prepared statement, executed by name, every cell of every row touched.
void rawServerLookup(benchmark::State &state, const char *sql, const std::string &value)
{
    PGconn *conn = PQconnectdb(serverOf(state).toUtf8().constData());
    PQclear(PQprepare(conn, "lookup", sql, 1, nullptr));
    const char *values[] = {value.c_str()};
    int rows = 0;
    for (auto _ : state) {
        PGresult *result = PQexecPrepared(conn, "lookup", 1, values, nullptr, nullptr, 0);
        if (PQresultStatus(result) != PGRES_TUPLES_OK) {
            state.SkipWithError(PQresultErrorMessage(result));
            PQclear(result);
            break;
        }
        rows = PQntuples(result);
        const int columns = PQnfields(result);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                benchmark::DoNotOptimize(PQgetvalue(result, r, c));
                benchmark::DoNotOptimize(PQgetlength(result, r, c));
            }
        PQclear(result);
    }
    PQfinish(conn);
    state.counters["rows"] = double(rows);
}

void channelServerLookup(benchmark::State &state, const char *column, const std::string &value)
{
    store::Connection connection;
    connection.setServer(serverOf(state));
    store::QueryChannel channel(connection);
    channel.connect();
    const QString statement = QStringLiteral("select * from tab where %1=\"%2\"")
                                  .arg(QLatin1String(column), QString::fromStdString(value));
    int rows = 0;
    for (auto _ : state) {
        channel.run(statement);
        rows = channel.count();
        while (!channel.atEnd())
            channel.fetch(256);
        const int columns = int(channel.columnNames().size());
        for (int r = 0; r < channel.fetched(); ++r)
            for (int c = 0; c < columns; ++c)
                benchmark::DoNotOptimize(channel.cell(r, c));
    }
    state.counters["rows"] = double(rows);
}

void BM_RawServerRareSurname(benchmark::State &state)
{
    rawServerLookup(state, "select * from tab where fam=$1", benchDirectory().rareSurname);
}

void BM_ChannelServerRareSurname(benchmark::State &state)
{
    channelServerLookup(state, "fam", benchDirectory().rareSurname);
}

void BM_RawServerPhone(benchmark::State &state)
{
    rawServerLookup(state, "select * from tab where tele=$1", benchDirectory().phone);
}

void BM_ChannelServerPhone(benchmark::State &state)
{
    channelServerLookup(state, "tele", benchDirectory().phone);
}

// Eight operator processes, each doing its searches as fast as it can; one iteration.
void BM_ServerOperators(benchmark::State &state)
{
    bench::OperatorLoad load;
    for (auto _ : state)
        load = bench::runOperators(bench::benchServer(), bench::operatorCount(), bench::searchesPerOperator());
    if (!load.error.isEmpty())
        state.SkipWithError(load.error.toStdString().c_str());
    state.counters["operators"] = double(bench::operatorCount());
    state.counters["searches"] = double(load.searches);
    state.counters["errors"] = double(load.errors);
    state.counters["invented_rows"] = double(load.invented);
    state.counters["rows_accounted"] = load.rowsAccounted ? 1 : 0;
    state.counters["p50_ms"] = load.p50Ms;
    state.counters["p99_ms"] = load.p99Ms;
}

} // namespace

BENCHMARK(BM_RawServerRareSurname)->UseRealTime();
BENCHMARK(BM_ChannelServerRareSurname)->UseRealTime();
BENCHMARK(BM_RawServerPhone)->UseRealTime();
BENCHMARK(BM_ChannelServerPhone)->UseRealTime();
BENCHMARK(BM_ServerOperators)->Iterations(1)->Repetitions(1)->UseRealTime()->Unit(benchmark::kMillisecond);
