// zelvik-plain-find SURNAME: the same lookup as zelvik-bare-find with SQLite and the C library
// alone, to show what QtCore itself costs a short-lived process. Written in the C subset; only the
// program's collation, which the file's indexes need, comes from the store.
#include "store/sqlite/collation.h"

#include <sqlite3.h>

#include <stdio.h>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    sqlite3 *db = NULL;
    if (sqlite3_open_v2("history.dat", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, NULL) != SQLITE_OK
        || sqlite3_create_collation_v2(db, store::kCollation, SQLITE_UTF8, NULL, store::collateFolded, NULL)
            != SQLITE_OK)
        return 2;
    sqlite3_stmt *count = NULL;
    sqlite3_stmt *select = NULL;
    if (sqlite3_prepare_v2(db, "select count(*) from tab where fam=?", -1, &count, NULL) != SQLITE_OK
        || sqlite3_prepare_v2(db, "select fam, im, ot, tele, ul, dom, domd, kv from tab where fam=?", -1, &select,
                              NULL)
            != SQLITE_OK)
        return 2;
    sqlite3_bind_text(count, 1, argv[1], -1, SQLITE_STATIC);
    sqlite3_bind_text(select, 1, argv[1], -1, SQLITE_STATIC);
    if (sqlite3_step(count) == SQLITE_ROW)
        printf("Найдено: %lld\n", sqlite3_column_int64(count, 0));
    const int columns = sqlite3_column_count(select);
    while (sqlite3_step(select) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const char *text = (const char *)sqlite3_column_text(select, c);
            printf(c > 0 ? "\t%s" : "%s", text ? text : "");
        }
        putchar('\n');
    }
    sqlite3_finalize(count);
    sqlite3_finalize(select);
    sqlite3_close_v2(db);
    return 0;
}
