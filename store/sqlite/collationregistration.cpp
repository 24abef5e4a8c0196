#include "store/sqlite/collation.h"

#include "store/sqlite/sqlitefailure.h"
#include "store/storeerror.h"

#include <sqlite3.h>

namespace store {

void registerCollation(sqlite3 *db)
{
    const int rc = sqlite3_create_collation_v2(db, kCollation, SQLITE_UTF8, nullptr, collateFolded, nullptr);
    if (rc != SQLITE_OK)
        throw StoreError(StoreError::Kind::CollationNotRegistered, {QString::fromUtf8(sqlite3_errmsg(db))});
}

} // namespace store
