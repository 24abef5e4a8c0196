#include "tests/reliability/storereading.h"

#include "store/sqlite/collation.h"
#include "store/sqlite/sqlitehandle.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <sqlite3.h>

#include <stdexcept>

namespace storereading {

namespace {

[[noreturn]] void fail(sqlite3 *db, const QString &what)
{
    throw std::runtime_error((what + QStringLiteral(": ") + QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory"))
                                 .toStdString());
}

QVariant cell(sqlite3_stmt *statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                                 sqlite3_column_bytes(statement, column));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    default:
        return {};
    }
}

} // namespace

QList<Row> query(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    const int opened = sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const store::SqliteHandle handle(db);
    if (opened != SQLITE_OK)
        throw std::runtime_error((file + QStringLiteral(": cannot open")).toStdString());
    sqlite3_busy_timeout(db, 10000);
    store::registerCollation(db);
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        fail(db, sql);
    const auto finalize = qScopeGuard([statement] { sqlite3_finalize(statement); });
    QList<Row> result;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c)
            row << cell(statement, c);
        result << row;
    }
    if (rc != SQLITE_DONE)
        fail(db, sql);
    return result;
}

QList<Row> rows(const QString &file, const QString &table)
{
    return query(file, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
}

QString integrity(const QString &file)
{
    QStringList lines;
    for (const Row &row : query(file, QStringLiteral("PRAGMA integrity_check")))
        lines << row.value(0).toString();
    return lines.join(u'\n');
}

QByteArray digest(const QString &file)
{
    // Opening a named pipe would wait for a writer; a directory has no bytes.
    if (!QFileInfo(file).isFile())
        return QFileInfo::exists(file) ? QByteArrayLiteral("(no regular file)") : QByteArray();
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result().toHex();
}

std::string stateOf(const QString &file)
{
    const QString log = file + QStringLiteral("-wal");
    const bool logged = QFileInfo(log).size() > 0;
    return (digest(file) + " log " + (logged ? digest(log) : QByteArrayLiteral("none"))).toStdString();
}

QList<Row> referenceData(const QString &file)
{
    QList<Row> all;
    for (const char *table : {"fam", "im", "im2", "ot", "ot2", "ul", "tel", "param"}) {
        all << Row{QString::fromLatin1(table)};
        all << rows(file, QString::fromLatin1(table));
    }
    return all;
}

} // namespace storereading
