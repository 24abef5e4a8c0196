#pragma once

#include "store/backend.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace store {

// A bulk append that lets no text through the store may not hold (see textFault): a refused cell
// stops the append with CellNotWritten, naming the table, the row's id and the column, before its
// batch reaches the engine; the transaction it is in then rolls the rows before it back.
class CheckedBulkAppend : public BulkAppend {
public:
    CheckedBulkAppend(std::unique_ptr<BulkAppend> append, const QString &table, const QStringList &columns);

    void add(std::span<const QVariant> cells) override;
    void finish() override;

private:
    [[noreturn]] void refuse(std::span<const QVariant> row, qsizetype column) const;

    std::unique_ptr<BulkAppend> m_append;
    QString m_table;
    QStringList m_columns;
    qsizetype m_idColumn;
};

} // namespace store
