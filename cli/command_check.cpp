#include "commands.h"
#include "output.h"

#include "collation.h"
#include "databaseerror.h"
#include "schema.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>

#include <sqlite3.h>

#include <string>

namespace cli {

namespace {

sqlite3 *open(const QByteArray &name, int flags)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(name.constData(), &db, flags | SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 5000);
    return db;
}

bool readsSchema(sqlite3 *db)
{
    return sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
}

// A file in WAL mode is read through an index file that SQLite keeps beside it. In a folder that
// may not be written that index cannot be made; then nobody can be writing to the file either
// (unless a log is left over), so it is read as a file that does not change.
bool readableOnlyAsUnchanging(const QString &path)
{
    const QFileInfo file(path);
    return !QFileInfo(file.absolutePath()).isWritable() && QFileInfo(path + QStringLiteral("-wal")).size() == 0;
}

// Reading only, and never creating: an administrator's check must not change what it looks at.
sqlite3 *openForReading(const QString &path)
{
    sqlite3 *db = open(path.toUtf8(), 0);
    if (db && readsSchema(db))
        return db;
    QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("cannot open the file");
    sqlite3_close_v2(db);
    if (readableOnlyAsUnchanging(path)) {
        const QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        db = open(uri.toString(QUrl::FullyEncoded).toUtf8() + "?immutable=1", SQLITE_OPEN_URI);
        if (db && readsSchema(db))
            return db;
        if (db)
            message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
    }
    throw store::DatabaseError(path + QStringLiteral(": ") + message);
}

// Every line a statement yields in its first column; throws with the file's name on failure.
QStringList firstColumn(sqlite3 *db, const QString &path, const std::string &sql)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        throw store::DatabaseError(path + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)));
    const auto finalize = qScopeGuard([statement] { sqlite3_finalize(statement); });
    QStringList lines;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        lines << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    if (rc != SQLITE_DONE)
        throw store::DatabaseError(path + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)));
    return lines;
}

// SQLite's own verdict on the file's pages, records and indexes. The indexes on text columns are
// ordered by the program's collation, so it has to be there for them to be checked at all.
QStringList integrityProblems(sqlite3 *db, const QString &path)
{
    store::registerCollation(db);
    QStringList lines = firstColumn(db, path, "PRAGMA integrity_check");
    if (lines == QStringList{QStringLiteral("ok")})
        lines.clear();
    return lines;
}

// What the program would stumble over although SQLite finds the file sound: a table or column
// that the searches use is missing, or the numbering scheme is not set.
QStringList schemaProblems(sqlite3 *db, const QString &path)
{
    QStringList problems;
    for (const store::TableDef &table : store::programTables()) {
        const std::string name(table.name);
        const QStringList columns = firstColumn(db, path, "SELECT name FROM pragma_table_info('" + name + "')");
        const QString tableName = QString::fromUtf8(table.name.data(), qsizetype(table.name.size()));
        if (columns.isEmpty()) {
            problems << QStringLiteral("table %1 is missing").arg(tableName);
            continue;
        }
        for (const store::ColumnDef &column : table.columns) {
            const QString columnName = QString::fromUtf8(column.name.data(), qsizetype(column.name.size()));
            if (!columns.contains(columnName, Qt::CaseInsensitive))
                problems << QStringLiteral("table %1 has no column %2").arg(tableName, columnName);
        }
    }
    if (!problems.isEmpty())
        return problems;
    if (firstColumn(db, path, "SELECT count(*) FROM param WHERE s IS NOT NULL AND tel IS NOT NULL LIMIT 1")
        == QStringList{QStringLiteral("0")})
        problems << QStringLiteral("table param holds no row with both s and tel: the phone numbering scheme is not set");
    return problems;
}

} // namespace

int runCheck(const QStringList &args)
{
    if (args.size() > 1) {
        printError(QStringLiteral("usage: zelvik-cli check [FILE]"));
        return UsageError;
    }
    const QString path = args.value(0, QStringLiteral("history.dat"));
    // A directory or a pipe of that name would make SQLite fail obscurely, or wait.
    if (!QFileInfo(path).isFile()) {
        printError(path + QStringLiteral(": no such file"));
        return Failure;
    }

    QStringList problems;
    try {
        sqlite3 *db = openForReading(path);
        const auto close = qScopeGuard([db] { sqlite3_close_v2(db); });
        problems = integrityProblems(db, path);
        if (problems.isEmpty())
            problems = schemaProblems(db, path);
    } catch (const store::DatabaseError &e) {
        printError(e.text());
        return Failure;
    }
    if (problems.isEmpty()) {
        printLine(QStringLiteral("ok"));
        return Success;
    }
    for (const QString &problem : problems)
        printLine(problem);
    return Failure;
}

} // namespace cli
