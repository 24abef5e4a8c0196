#include "store/postgres/unnamedstatements.h"

#include "store/postgres/preparedstatements.h"

#include <libpq-fe.h>

#include <QScopeGuard>

namespace store {

PgResult executeUnnamed(PreparedStatements &statements, const std::string &sql, int count,
                        const char *const *values, const int *lengths, const int *formats)
{
    return statements.answer(
        [&](pg_conn *c) { return PQsendQueryParams(c, sql.c_str(), count, nullptr, values, lengths, formats, 0); });
}

int unnamedColumnCount(PreparedStatements &statements, const std::string &sql)
{
    // The unnamed statement lives until the next one is parsed, on the server connection that parsed
    // it: outside a transaction a pooler may send the describing to another, so both go in one.
    const bool ownTransaction = PQtransactionStatus(statements.handle()) == PQTRANS_IDLE;
    if (ownTransaction)
        statements.command("BEGIN");
    const std::uint64_t generation = statements.generation();
    const auto end = qScopeGuard([&] {
        if (ownTransaction && statements.generation() == generation)
            statements.endQuietly("COMMIT");
    });
    const PgResult parsed = statements.answer([&](pg_conn *c) { return PQsendPrepare(c, "", sql.c_str(), 0, nullptr); });
    if (PQresultStatus(parsed.get()) != PGRES_COMMAND_OK)
        statements.fail(parsed.get(), sql);
    return statements.describedColumns("", sql);
}

} // namespace store
