#include "store/sqlite/sqlitehandle.h"

#include <sqlite3.h>

namespace store {

void SqliteCloser::operator()(sqlite3 *db) const
{
    sqlite3_close_v2(db);
}

} // namespace store
