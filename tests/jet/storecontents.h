#pragma once

#include "store/sqlite/collation.h"
#include "store/sqlite/sqlitehandle.h"

#include <QString>
#include <QVariant>

#include <sqlite3.h>

// Reads a written store beneath the program's channel, to see values with their SQLite types.
class StoreContents {
public:
    explicit StoreContents(const QString &path)
    {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        m_handle.reset(db);
        m_db = db;
        store::registerCollation(m_db);
    }

    // The rows of a query, each value as the QVariant of its SQLite type; an error as one row
    // holding the message.
    QList<QVariantList> rows(const QString &sql) const
    {
        QList<QVariantList> out;
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK)
            return {{QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(m_db))}};
        while (sqlite3_step(s) == SQLITE_ROW) {
            QVariantList row;
            for (int i = 0; i < sqlite3_column_count(s); ++i)
                row.append(value(s, i));
            out.append(row);
        }
        sqlite3_finalize(s);
        return out;
    }

    QVariant scalar(const QString &sql) const
    {
        const QList<QVariantList> all = rows(sql);
        return all.isEmpty() || all.first().isEmpty() ? QVariant() : all.first().first();
    }

private:
    static QVariant value(sqlite3_stmt *s, int i)
    {
        switch (sqlite3_column_type(s, i)) {
        case SQLITE_INTEGER:
            return qint64(sqlite3_column_int64(s, i));
        case SQLITE_FLOAT:
            return sqlite3_column_double(s, i);
        case SQLITE_TEXT:
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, i)),
                                     sqlite3_column_bytes(s, i));
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char *>(sqlite3_column_blob(s, i)), sqlite3_column_bytes(s, i));
        default:
            return {};
        }
    }

    store::SqliteHandle m_handle;
    sqlite3 *m_db = nullptr;
};
