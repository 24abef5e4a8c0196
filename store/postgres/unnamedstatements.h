#pragma once

#include "store/postgres/serverexchange.h"

#include <string>

namespace store {

class PreparedStatements;

// Statements that leave nothing on the server connection between transactions, for a transaction
// pooler (pgbouncer's pool_mode=transaction) and a borrowed handle: the unnamed statement, parsed
// with each execution. PreparedStatements switches to them when Connection::unnamedStatements().

// Executes the statement unnamed; throws StoreError as PreparedStatements::execute does.
PgResult executeUnnamed(PreparedStatements &statements, const std::string &sql, int count,
                        const char *const *values, const int *lengths, const int *formats);
// How many columns the statement yields, parsed unnamed without running it.
int unnamedColumnCount(PreparedStatements &statements, const std::string &sql);

} // namespace store
