#include "store/provisioning/filestorewriter.h"

#include "store/schema.h"
#include "store/sqlite/sqlitebinding.h"
#include "store/sqlite/sqlitefailure.h"
#include "store/sqlite/sqlitehandle.h"

#include <sqlite3.h>

namespace store {

struct FileStoreWriter::Handles {
    SqliteHandle db;
    sqlite3_stmt *insert = nullptr;
    ~Handles() { sqlite3_finalize(insert); }
};

FileStoreWriter::FileStoreWriter(const QString &path) : m_handles(std::make_unique<Handles>()), m_path(path)
{
    const QByteArray file = path.toUtf8();
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    m_handles->db.reset(db);
    if (rc != SQLITE_OK)
        throwSqliteFailure(db, path);
    sqlite3_extended_result_codes(db, 1);
    // The file is thrown away unless commit() is reached, so no journal file is needed; the
    // commit itself is still written through to the disk before the file is renamed.
    execute(QStringLiteral("PRAGMA journal_mode=MEMORY"));
    execute(QStringLiteral("PRAGMA synchronous=FULL"));
    execute(QStringLiteral("BEGIN"));
    createSchema(db);
}

FileStoreWriter::~FileStoreWriter() = default;

void FileStoreWriter::execute(const QString &sql)
{
    sqlite3 *db = m_handles->db.get();
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqliteFailure(db, m_path);
}

void FileStoreWriter::beginInsert(const QString &sql, const QString &context)
{
    endInsert();
    sqlite3 *db = m_handles->db.get();
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &m_handles->insert,
                           nullptr)
        != SQLITE_OK)
        throwSqliteFailure(db, context);
    m_context = context;
    m_rows = 0;
}

void FileStoreWriter::insert(const QVariantList &values)
{
    sqlite3_stmt *insert = m_handles->insert;
    for (qsizetype i = 0; i < values.size(); ++i)
        if (bindValue(insert, int(i) + 1, values.at(i)) != SQLITE_OK)
            throwSqliteFailure(m_handles->db.get(), m_context);
    if (sqlite3_step(insert) != SQLITE_DONE)
        throw StoreError::because(StoreError::Kind::RowNotWritten, sqliteFailure(m_handles->db.get()),
                                  {m_context, QString::number(m_rows + 1)});
    sqlite3_reset(insert);
    ++m_rows;
}

void FileStoreWriter::endInsert()
{
    sqlite3_finalize(m_handles->insert);
    m_handles->insert = nullptr;
}

void FileStoreWriter::commit()
{
    endInsert();
    execute(QStringLiteral("COMMIT"));
    m_handles->db.reset();
}

} // namespace store
