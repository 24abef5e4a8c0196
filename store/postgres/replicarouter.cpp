#include "store/postgres/replicarouter.h"

#include "store/connection.h"
#include "store/cursor.h"
#include "store/storeerror.h"
#include "store/postgres/pgbackend.h"

#include <chrono>
#include <utility>

namespace store {

namespace {

// How long lookups stay on the server after the replica failed, before it is tried again.
constexpr std::chrono::seconds kReplicaRetry{30};
// A position no log reaches: after a write whose position could not be read, the replica is never
// taken to have replayed it (until the next write's position is read).
const QString kUnknownPosition = QStringLiteral("FFFFFFFF/FFFFFFFF");

} // namespace

ReplicaRouter::ReplicaRouter(Connection &server, std::function<void(const QString &)> unavailable)
    : m_server(server)
    , m_unavailable(std::move(unavailable))
{
}

ReplicaRouter::~ReplicaRouter() = default;

bool ReplicaRouter::routes() const
{
    return m_server.replica() && m_server.isServer();
}

ReplicaRouter::Answer ReplicaRouter::lookup(const QString &statement, std::unique_ptr<Cursor> &found)
{
    Connection &replica = *m_server.replica();
    if (!m_retry.hasExpired())
        return Answer::NotAsked;
    try {
        replica.connect();
        if (!m_backend)
            m_backend = std::make_unique<PgBackend>(replica);
        if (!caughtUp())
            return Answer::NotAsked;
        std::unique_ptr<Cursor> cursor = m_backend->newCursor();
        cursor->open(statement);
        if (cursor->count() == 0)
            return Answer::Missed;
        found = std::move(cursor);
        return Answer::Found;
    } catch (const StoreError &) {
        // Whatever went wrong there, the server answers: the replica gets another chance later.
        m_backend.reset();
        replica.close();
        m_retry.setRemainingTime(kReplicaRetry);
        if (!std::exchange(m_noticed, true))
            m_unavailable(replica.storeName());
        return Answer::NotAsked;
    }
}

bool ReplicaRouter::caughtUp()
{
    if (m_writtenLsn.isEmpty())
        return true;
    // A replica= that leads to a server that is not in recovery replays nothing and is read as it is.
    const QVariant replayed = m_backend->scalar(
        QStringLiteral("select coalesce(pg_last_wal_replay_lsn() >= ?::pg_lsn, true)::int"), {m_writtenLsn});
    if (replayed.toInt() != 1)
        return false;
    m_writtenLsn.clear();
    return true;
}

void ReplicaRouter::noteWrite(Backend &server)
{
    try {
        m_writtenLsn = server.scalar(QStringLiteral("select pg_current_wal_insert_lsn()::text"), {}).toString();
    } catch (const StoreError &) {
        // The write is done; only where it landed is unknown.
        m_writtenLsn = kUnknownPosition;
    }
}

} // namespace store
