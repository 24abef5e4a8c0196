#pragma once

#include <QString>

namespace bench {

// The server of this run, and the size of the operator load; set once by main().
const QString &benchServer();
void setBenchServer(const QString &conninfo);
int operatorCount();
int searchesPerOperator();
void setOperatorLoad(int operators, int searches);

// How the operators' programs reach the directory: what their conf.cfg would say.
struct LoadSetup {
    QString server;  // server=
    QString replica; // replica=, empty for none
    bool transactionPooling = false; // pooler=transaction
};
// The same directory through pgbouncer with a streaming replica, when main() was given one.
const LoadSetup &scaledOutSetup();
void setScaledOutSetup(const LoadSetup &setup);
// Adds that load to the server's benchmarks (after the primary alone); once a scaled-out setup is set.
void registerScaledOutLoad();

struct OperatorLoad {
    qint64 searches = 0;
    qint64 errors = 0;   // searches or edits that failed, searches that showed rows they did not store
    qint64 invented = 0; // entries the searches stored
    qint64 edits = 0;    // grid edits written
    qint64 onReplica = 0; // searches whose rows were read on the replica
    qint64 inventedAgain = 0; // a new surname invented again after another search had stored it
    bool rowsAccounted = false; // tab on the primary grew by exactly the entries they stored
    double walBytes = 0; // written to the primary's write-ahead log meanwhile (what every replica receives)
    double searchesPerSecond = 0;
    double p50Ms = 0;
    double p99Ms = 0;
    QString error; // the load itself could not run
};

// Starts that many copies of this program as operators at once, each reaching the directory as the
// setup says, and gathers what they report; counts the entries on the primary (benchServer()).
OperatorLoad runOperators(const LoadSetup &setup, int operators, int searches);

// One operator (started by runOperators with --operator=N): a mix of searches as a directory service
// sees it, mostly hits (a stored person, a stored phone), some misses that invent (a new surname,
// which the operators of its group of eight search one after another, and a new phone), and now and
// then an edit of a found row in the grid. Prints a line per search and edit:
// "KIND START_NS END_NS STORED ON_REPLICA KEY", STORED -1 when it failed or showed rows it did not store.
// The run's key makes its new surnames and phones differ from any earlier run's on that server.
int operatorMain(const LoadSetup &setup, qint64 run, int index, int searches);

} // namespace bench
