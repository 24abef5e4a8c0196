// The text collation as an SQLite loadable extension, so that the sqlite3 shell (".load
// zelvik_collation") and other SQLite programs read, order and write history.dat as the program does.
#include "store/sqlite/collation.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

// SQLite finds the entry point by the file's name: zelvik_collation -> sqlite3_zelvikcollation_init.
extern "C" __attribute__((visibility("default"))) int
sqlite3_zelvikcollation_init(sqlite3 *db, char **error, const sqlite3_api_routines *api)
{
    SQLITE_EXTENSION_INIT2(api);
    const int rc =
        sqlite3_create_collation_v2(db, store::kCollation, SQLITE_UTF8, nullptr, store::collateFolded, nullptr);
    if (rc != SQLITE_OK && error)
        *error = sqlite3_mprintf("cannot register %s", store::kCollation);
    return rc;
}
