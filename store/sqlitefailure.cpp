#include "sqlitefailure.h"

#include "databaseerror.h"

#include <sqlite3.h>

namespace store {

void throwSqliteFailure(sqlite3 *db, const QString &context)
{
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    throw DatabaseError(context.isEmpty() ? message : context + QStringLiteral(": ") + message);
}

} // namespace store
