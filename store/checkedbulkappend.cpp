#include "store/checkedbulkappend.h"

#include "store/storeerror.h"
#include "store/textvalue.h"

namespace store {

CheckedBulkAppend::CheckedBulkAppend(std::unique_ptr<BulkAppend> append, const QString &table,
                                     const QStringList &columns)
    : m_append(std::move(append)), m_table(table), m_columns(columns),
      m_idColumn(columns.indexOf(QStringLiteral("id")))
{
}

void CheckedBulkAppend::add(std::span<const QVariant> cells)
{
    const auto width = std::size_t(m_columns.size());
    for (std::size_t at = 0; width > 0 && at < cells.size(); ++at)
        if (cellFault(cells[at]) != TextFault::None)
            refuse(cells.subspan(at - at % width, width), qsizetype(at % width));
    m_append->add(cells);
}

void CheckedBulkAppend::finish()
{
    m_append->finish();
}

void CheckedBulkAppend::refuse(std::span<const QVariant> row, qsizetype column) const
{
    const QString id = m_idColumn >= 0 ? row[std::size_t(m_idColumn)].toString() : QString();
    throw StoreError::because(StoreError::Kind::CellNotWritten, *textRefusal(row[std::size_t(column)].toString()),
                              {m_table, id, m_columns[column]});
}

} // namespace store
