#pragma once

#include <QString>

namespace bench {

// The server of this run, and the size of the operator load; set once by main().
const QString &benchServer();
void setBenchServer(const QString &conninfo);
int operatorCount();
int searchesPerOperator();
void setOperatorLoad(int operators, int searches);

struct OperatorLoad {
    qint64 searches = 0;
    qint64 errors = 0;   // searches that failed, or that showed rows they did not store
    qint64 invented = 0; // entries the searches stored
    bool rowsAccounted = false; // tab grew by exactly the entries they stored
    double p50Ms = 0;
    double p99Ms = 0;
    QString error; // the load itself could not run
};

// Starts that many copies of this program as operators (--operator=N --run=KEY) at once and
// gathers what they report.
OperatorLoad runOperators(const QString &server, int operators, int searches);

// One operator: mixed searches (stored surname, new surname, stored phone, new phone) through the
// program's search, printing a line per search: its time in nanoseconds and the entries it stored
// (-1 when it failed or showed rows it did not store).
// The run's key makes its new surnames and phones differ from any earlier run's on that server.
int operatorMain(const QString &server, qint64 run, int index, int searches);

} // namespace bench
