#pragma once

#include "store/connection.h"
#include "store/storeerror.h"
#include "store/postgres/serverexchange.h"

#include <string>

namespace store {

// Whether the statement may be run again on a new connection when it finds the link lost: a read
// outside a transaction, on a connection of this program's own, changed nothing, so an outage costs
// no more than the one statement that meets it. Anything else is never run twice (a write's commit
// may have happened before the link went).
bool mayRetryRead(const Connection &connection, pg_conn *conn, const std::string &sql);

// Runs attempt; when it lost the link and may be retried, connects again and runs it once more.
template <typename Attempt>
PgResult withReadRetry(Connection &connection, bool mayRetry, Attempt &&attempt)
{
    if (!mayRetry)
        return attempt();
    try {
        return attempt();
    } catch (const StoreError &failure) {
        if (failure.kind() != StoreError::Kind::ServerLost)
            throw;
    }
    connection.connect();
    return attempt();
}

} // namespace store
