#pragma once

#include "store/backend.h"
#include "store/postgres/preparedstatements.h"

namespace store {

class Connection;

// The channel on a PostgreSQL server through libpq; its results are PgCursors.
class PgBackend : public Backend {
public:
    explicit PgBackend(Connection &connection);

    Dialect dialect() const override { return Dialect::Postgres; }
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
    PreparedStatements m_statements;
    std::uint64_t m_writeGeneration = 0; // the connection's opening the write transaction began on
};

} // namespace store
