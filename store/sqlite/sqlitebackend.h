#pragma once

#include "store/backend.h"
#include "store/sqlite/statementcache.h"

namespace store {

class Connection;

// The channel on a directory file: statements prepared once per text and kept in the cache.
class SqliteBackend : public Backend {
public:
    explicit SqliteBackend(Connection &connection);

    Dialect dialect() const override { return Dialect::Sqlite; }
    std::unique_ptr<Cursor> newCursor() override;
    qint64 exec(const QString &statement) override;
    WriteResult write(const QString &sql, const QVariantList &params) override;
    QVariant scalar(const QString &sql, const QVariantList &params) override;
    bool yieldsRows(const QString &statement) override;
    void scan(const QString &statement, const ScanHeader &header, const ScanRow &row) override;
    void beginSnapshot() override;
    void endSnapshot() noexcept override;
    std::unique_ptr<BulkAppend> bulkAppend(const QString &table, const QStringList &columns) override;
    void beginWrite(const QString &key) override;
    void commitWrite() override;
    void rollbackWrite() noexcept override;

private:
    Connection &m_connection;
    StatementCache m_cache;
};

} // namespace store
