#include "jet/rowstream.h"

#include "jet/importerror.h"

using namespace jet::framing;

namespace jet {

namespace {

constexpr qint64 kProgressStep = 500;
constexpr qsizetype kCellsPerColumn = 3;
constexpr qsizetype kTableHeaderCells = 3;

QString failureText(qint64 reason, const QString &detail)
{
    switch (FailureReason(reason)) {
    case FailureReason::Open:
        return QStringLiteral("это не база данных Jet, или она не читается");
    case FailureReason::Catalog:
        return QStringLiteral("список таблиц не читается (файл повреждён)");
    case FailureReason::Table:
        return QStringLiteral("описание таблицы %1 не читается (файл повреждён)").arg(detail);
    case FailureReason::Value:
        return QStringLiteral("значение в %1 не читается (файл повреждён)").arg(detail);
    }
    return QStringLiteral("ошибка программы чтения Jet: %1").arg(detail);
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

void RowStream::expect(bool ok, const char *what) const
{
    if (!ok)
        throw importError(QStringLiteral("программа чтения Jet передала данные не по порядку (%1)").arg(QLatin1String(what)));
}

void RowStream::take(const Frame &frame)
{
    const QVariantList &cells = frame.cells;
    switch (frame.kind) {
    case FrameKind::Failure:
        expect(cells.size() == 2, "failure");
        throw importError(failureText(cells.at(0).toLongLong(), cells.at(1).toString()));
    case FrameKind::Hello:
        expect(m_state == State::Start && cells.size() == 2, "greeting");
        if (cells.at(0).toString() != QLatin1String(kFormat.data(), kFormat.size())
            || cells.at(1).toLongLong() != kVersion)
            throw importError(QStringLiteral("программа чтения Jet передаёт данные в другом формате"));
        m_state = State::Greeted;
        break;
    case FrameKind::Plan:
        expect(m_state == State::Greeted && cells.size() == 2, "plan");
        m_tablesPlanned = cells.at(0).toLongLong();
        m_rowsTotal = cells.at(1).toLongLong();
        m_state = State::Planned;
        reportProgress(true);
        break;
    case FrameKind::Table:
        expect(m_state == State::Planned && isTableHeader(cells), "table");
        {
            const SourceTable table = tableFrom(cells);
            m_columns = table.columns.size();
            m_rowsInTable = 0;
            m_state = State::InTable;
            m_sink.beginTable(table);
        }
        break;
    case FrameKind::Row:
        expect(m_state == State::InTable && cells.size() == m_columns, "row");
        m_sink.addRow(cells);
        ++m_rowsInTable;
        ++m_rowsDone;
        m_rowsTotal = std::max(m_rowsTotal, m_rowsDone);
        reportProgress(false);
        break;
    case FrameKind::TableEnd:
        expect(m_state == State::InTable && cells.size() == 1 && cells.at(0).toLongLong() == m_rowsInTable,
               "end of table");
        m_sink.endTable();
        ++m_tablesDone;
        m_state = State::Planned;
        break;
    case FrameKind::End:
        expect(m_state == State::Planned && cells.size() == 1 && cells.at(0).toLongLong() == m_tablesDone
                   && m_tablesDone == m_tablesPlanned,
               "end");
        m_state = State::Ended;
        reportProgress(true);
        break;
    }
}

void RowStream::finish() const
{
    if (m_state != State::Ended)
        throw importError(QStringLiteral("программа чтения Jet завершилась, не передав всех таблиц"));
}

void RowStream::reportProgress(bool force)
{
    if (!m_progress || (!force && m_rowsDone - m_lastReported < kProgressStep))
        return;
    m_lastReported = m_rowsDone;
    m_progress(m_rowsDone, m_rowsTotal);
}

} // namespace jet
