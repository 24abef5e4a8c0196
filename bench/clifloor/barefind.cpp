// zelvik-bare-find SURNAME: the floor of `zelvik-cli find --surname SURNAME` as a whole process.
// The same lookup in the same folder with QtCore and raw SQLite alone: the count line, then the
// rows tab-separated, texts converted to QString and written through a QTextStream.
#include "store/sqlite/collation.h"

#include <QCoreApplication>
#include <QTextStream>

#include <sqlite3.h>

namespace {

bool prepare(sqlite3 *db, const char *sql, sqlite3_stmt **statement, const QByteArray &surname)
{
    return sqlite3_prepare_v2(db, sql, -1, statement, nullptr) == SQLITE_OK
        && sqlite3_bind_text(*statement, 1, surname.constData(), int(surname.size()), SQLITE_STATIC) == SQLITE_OK;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2)
        return 2;
    const QByteArray surname = arguments[1].toUtf8();
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2("history.dat", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK
        || sqlite3_create_collation_v2(db, store::kCollation, SQLITE_UTF8, nullptr, store::collateFolded, nullptr)
            != SQLITE_OK)
        return 2;
    QTextStream out(stdout);
    sqlite3_stmt *count = nullptr;
    sqlite3_stmt *select = nullptr;
    if (!prepare(db, "select count(*) from tab where fam=?", &count, surname)
        || !prepare(db, "select fam, im, ot, tele, ul, dom, domd, kv from tab where fam=?", &select, surname))
        return 2;
    if (sqlite3_step(count) == SQLITE_ROW)
        out << QStringLiteral("Найдено: ") << sqlite3_column_int64(count, 0) << '\n';
    const int columns = sqlite3_column_count(select);
    while (sqlite3_step(select) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(select, c));
            if (c > 0)
                out << '\t';
            out << QString::fromUtf8(text, sqlite3_column_bytes(select, c));
        }
        out << '\n';
    }
    sqlite3_finalize(count);
    sqlite3_finalize(select);
    sqlite3_close_v2(db);
    return 0;
}
