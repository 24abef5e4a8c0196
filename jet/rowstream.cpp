#include "jet/rowstream.h"

#include "jet/importerror.h"

using namespace jet::framing;

namespace jet {

namespace {

constexpr qint64 kProgressStep = 500;
constexpr qsizetype kCellsPerColumn = 3;
constexpr qsizetype kTableHeaderCells = 3;

// The reader's own account of why it stopped: the reason, then its details (see framing.h).
ImportError reportedFailure(const QVariantList &cells)
{
    using Kind = ImportError::Kind;
    const QString detail = cells.at(1).toString();
    switch (FailureReason(cells.at(0).toLongLong())) {
    case FailureReason::Open:
        return ImportError(Kind::SourceNotOpened);
    case FailureReason::Catalog:
        return ImportError(Kind::CatalogUnreadable);
    case FailureReason::Table:
        return ImportError(Kind::TableUnreadable, {detail});
    case FailureReason::Value:
        // table, column (empty when the whole row is unreadable), row
        if (cells.size() == 4 && cells.at(2).toString().isEmpty())
            return ImportError(Kind::RowUnreadable, {detail, QString::number(cells.at(3).toLongLong())});
        if (cells.size() == 4)
            return ImportError(Kind::ValueUnreadable,
                               {detail, cells.at(2).toString(), QString::number(cells.at(3).toLongLong())});
        break;
    }
    return ImportError(Kind::ReaderReported, {QString::number(cells.at(0).toLongLong()), detail});
}

SourceTable tableFrom(const QVariantList &cells)
{
    SourceTable table;
    table.name = cells.at(0).toString();
    table.rowsExpected = cells.at(1).toLongLong();
    const qsizetype count = cells.at(2).toLongLong();
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = kTableHeaderCells + i * kCellsPerColumn;
        const qint64 flags = cells.at(at + 2).toLongLong();
        table.columns.append({cells.at(at).toString(), ColumnKind(cells.at(at + 1).toLongLong()),
                              (flags & kAutoNumber) != 0, (flags & kPrimaryKey) != 0});
    }
    return table;
}

bool isTableHeader(const QVariantList &cells)
{
    return cells.size() >= kTableHeaderCells
        && cells.size() == kTableHeaderCells + cells.at(2).toLongLong() * kCellsPerColumn;
}

} // namespace

RowStream::RowStream(RowSink &sink, ProgressFn progress) : m_sink(sink), m_progress(std::move(progress))
{
}

void RowStream::expect(bool ok, FrameKind kind) const
{
    if (!ok)
        throw ImportError(ImportError::Kind::FrameOutOfOrder, {QString(QLatin1Char(char(kind)))});
}

void RowStream::take(const Frame &frame)
{
    const QVariantList &cells = frame.cells;
    switch (frame.kind) {
    case FrameKind::Failure:
        expect(cells.size() >= 2, frame.kind);
        throw reportedFailure(cells);
    case FrameKind::Hello:
        expect(m_state == State::Start && cells.size() == 2, frame.kind);
        if (cells.at(0).toString() != QLatin1String(kFormat.data(), kFormat.size())
            || cells.at(1).toLongLong() != kVersion)
            throw ImportError(ImportError::Kind::OtherFormat);
        m_state = State::Greeted;
        break;
    case FrameKind::Plan:
        expect(m_state == State::Greeted && cells.size() == 2, frame.kind);
        m_tablesPlanned = cells.at(0).toLongLong();
        m_rowsTotal = cells.at(1).toLongLong();
        m_state = State::Planned;
        reportProgress(true);
        break;
    case FrameKind::Table:
        expect(m_state == State::Planned && isTableHeader(cells), frame.kind);
        {
            const SourceTable table = tableFrom(cells);
            m_columns = table.columns.size();
            m_rowsInTable = 0;
            m_state = State::InTable;
            m_sink.beginTable(table);
        }
        break;
    case FrameKind::Row:
        expect(m_state == State::InTable && cells.size() == m_columns, frame.kind);
        m_sink.addRow(cells);
        ++m_rowsInTable;
        ++m_rowsDone;
        m_rowsTotal = std::max(m_rowsTotal, m_rowsDone);
        reportProgress(false);
        break;
    case FrameKind::TableEnd:
        expect(m_state == State::InTable && cells.size() == 1 && cells.at(0).toLongLong() == m_rowsInTable,
               frame.kind);
        m_sink.endTable();
        ++m_tablesDone;
        m_state = State::Planned;
        break;
    case FrameKind::End:
        expect(m_state == State::Planned && cells.size() == 1 && cells.at(0).toLongLong() == m_tablesDone
                   && m_tablesDone == m_tablesPlanned,
               frame.kind);
        m_state = State::Ended;
        reportProgress(true);
        break;
    }
}

void RowStream::finish() const
{
    if (m_state != State::Ended)
        throw ImportError(ImportError::Kind::TablesMissing);
}

void RowStream::reportProgress(bool force)
{
    if (!m_progress || (!force && m_rowsDone - m_lastReported < kProgressStep))
        return;
    m_lastReported = m_rowsDone;
    m_progress(m_rowsDone, m_rowsTotal);
}

} // namespace jet
