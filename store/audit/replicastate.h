#pragma once

#include <QString>

#include <optional>

namespace store {

class Connection;
class QueryChannel;

// The replica as PostgreSQL measures it, read as lookups read it (the pooler setting included) and
// with no monitoring role: without one the standby still shows whether a WAL receiver runs.
struct ReplicaState {
    bool standby = false;   // the server is in recovery
    bool receiving = false; // a WAL receiver streams the primary's log
    bool paused = false;    // its replay is paused
    qint64 behind = 0;      // bytes of log between the primary's position and the replay position
    // While behind: the seconds since the last transaction it replayed was committed, none when it has
    // replayed none since it started. On an idle, caught-up standby it would only say how long the
    // primary has been idle, so it is not read then.
    std::optional<double> secondsSinceReplay;
};

// Where the primary's log stands now, read first so that the replica is measured against it.
QString serverLogPosition(QueryChannel &primary);
// Throws StoreError when the replica cannot be read.
ReplicaState replicaState(Connection &replica, const QString &position);

} // namespace store
