#pragma once

#include "store/backend.h"

#include <QByteArray>

#include <cstdint>

namespace store {

class Connection;
class PreparedStatements;

// Rows into one table through COPY FROM STDIN in text format: one COPY for the whole append, a batch
// of lines sent at a time.
class PgBulkAppend : public BulkAppend {
public:
    // Starts the COPY. Throws StoreError naming the server.
    PgBulkAppend(PreparedStatements &statements, Connection &connection, const QString &table,
                 const QStringList &columns);
    // Without finish(), the COPY is ended as failed, so the connection can go on (to its rollback).
    ~PgBulkAppend() override;

    void add(std::span<const QVariant> cells) override;
    void finish() override;

private:
    PreparedStatements &m_statements;
    Connection &m_connection;
    std::uint64_t m_generation;
    std::size_t m_columnCount;
    bool m_open = false; // the COPY is under way
    QByteArray m_lines;  // one batch of COPY text, its room kept for the next
};

} // namespace store
