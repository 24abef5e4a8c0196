#pragma once

#include "store/backend.h"
#include "store/sqlite/statement.h"

namespace store {

// Rows into one table through one prepared insert, bound and run again for each row.
class SqliteBulkAppend : public BulkAppend {
public:
    // Prepares the insert. Throws StoreError.
    SqliteBulkAppend(StatementCache &cache, sqlite3 *db, const QString &table, const QStringList &columns);

    void add(std::span<const QVariant> cells) override;
    void finish() override {}

private:
    Statement m_insert;
    std::size_t m_columnCount;
};

} // namespace store
