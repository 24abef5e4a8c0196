// zelvik-bench-server --directory=DIR --server=CONNINFO [--operators=N] [--searches=N]
//                     [--pooled-server=CONNINFO --pooled-replica=CONNINFO] [--copy-only=1] [--benchmark_...]
// The directory on a PostgreSQL server against raw libpq, and operators searching at once: on the
// server alone, and with --pooled-server and --pooled-replica (the server and its streaming replica
// through pgbouncer in transaction mode) the same load scaled out. A server database without the
// directory's tables first gets a copy of DIR/history.dat (and --copy-only stops there). With --operator=N it is one of the
// operators that a load starts, reaching the directory as --server, --replica and --pooler say.
#include "bench/takeoption.h"
#include "bench/benchdirectory.h"
#include "bench/machinedescription.h"
#include "bench/operatorload.h"

#include "store/connection.h"
#include "store/storeerror.h"
#include "store/provisioning/storecopy.h"
#include "store/provisioning/serverstorecreation.h"
#include "store/postgres/serverconnection.h"

#include <QCoreApplication>

#include <libpq-fe.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

// A database that holds no directory yet gets the file's copy, once.
void loadServer(const QString &server, const bench::BenchDirectory &d)
{
    pg_conn *conn = store::openServer(server);
    const bool loaded = store::serverHasDirectory(conn);
    PQfinish(conn);
    if (loaded)
        return;
    std::fprintf(stderr, "copying %s to the server...\n", d.historyPath.c_str());
    store::copyDirectory({QString::fromStdString(d.historyPath), QString()}, {QString(), server});
    conn = store::openServer(server);
    PQclear(PQexec(conn, "analyze"));
    PQfinish(conn);
}

} // namespace

int main(int argc, char *argv[])
{
    const char *directory = bench::takeOption(argc, argv, "--directory");
    const char *server = bench::takeOption(argc, argv, "--server");
    const char *operatorIndex = bench::takeOption(argc, argv, "--operator");
    const char *operators = bench::takeOption(argc, argv, "--operators");
    const char *searches = bench::takeOption(argc, argv, "--searches");
    const char *run = bench::takeOption(argc, argv, "--run");
    const char *replica = bench::takeOption(argc, argv, "--replica");
    const char *pooler = bench::takeOption(argc, argv, "--pooler");
    const char *pooledServer = bench::takeOption(argc, argv, "--pooled-server");
    const char *pooledReplica = bench::takeOption(argc, argv, "--pooled-replica");
    const bool copyOnly = bench::takeOption(argc, argv, "--copy-only") != nullptr;
    QCoreApplication application(argc, argv);
    if (!directory || !server) {
        std::fputs("usage: zelvik-bench-server --directory=DIR --server=CONNINFO [--operators=N] [--searches=N]\n", stderr);
        return 2;
    }
    const QString conninfo = QString::fromLocal8Bit(server);
    bench::setOperatorLoad(operators ? std::atoi(operators) : 8, searches ? std::atoi(searches) : 1000);
    try {
        bench::setBenchDirectory(bench::openBenchDirectory(QString::fromLocal8Bit(directory)));
        if (operatorIndex)
            return bench::operatorMain({conninfo, replica ? QString::fromLocal8Bit(replica) : QString(),
                                        pooler && std::strcmp(pooler, "transaction") == 0},
                                       run ? std::atoll(run) : 0, std::atoi(operatorIndex), bench::searchesPerOperator());
        loadServer(conninfo, bench::benchDirectory());
        if (copyOnly)
            return 0;
    } catch (const std::exception &e) {
        // The store's errors as well: for a benchmark their diagnostic form will do.
        std::fprintf(stderr, "zelvik-bench-server: %s\n", e.what());
        return 1;
    }
    bench::setBenchServer(conninfo);
    if (pooledServer && pooledReplica) {
        bench::setScaledOutSetup({QString::fromLocal8Bit(pooledServer), QString::fromLocal8Bit(pooledReplica), true});
        bench::registerScaledOutLoad();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::AddCustomContext("server", qPrintable(store::serverName(conninfo)));
    bench::describeRun(bench::benchDirectory());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
