#include "tableexport.h"

#include "databaseerror.h"
#include "querychannel.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringEncoder>

namespace transfer {

namespace {

constexpr int kBatchRows = 4096;
constexpr qsizetype kWriteSize = 1 << 16;

// Text that the format writes as it is, so that it can go into the buffer without a copy.
bool plain(QStringView text, Format format)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n' || u == '\r' || (format == Format::Csv ? u == ',' || u == '"' : u == '\t' || u == '\\'))
            return false;
    }
    return true;
}

class Writer {
public:
    Writer(Format format, QIODevice &out) : m_format(format), m_out(out) {}

    void text(QStringView value)
    {
        if (!plain(value, m_format)) {
            appendField(m_buffer, value.toUtf8(), m_format);
            return;
        }
        const qsizetype used = m_buffer.size();
        m_buffer.resize(used + m_encoder.requiredSpace(value.size()));
        char *end = m_encoder.appendToBuffer(m_buffer.data() + used, value);
        m_buffer.truncate(end - m_buffer.constData());
    }

    void cell(const QVariant &value)
    {
        switch (value.isNull() ? QMetaType::UnknownType : value.typeId()) {
        case QMetaType::UnknownType:
            break;
        case QMetaType::LongLong:
            m_buffer.append(QByteArray::number(value.toLongLong()));
            break;
        case QMetaType::QByteArray:
            appendField(m_buffer, value.toByteArray(), m_format);
            break;
        case QMetaType::QString:
            text(*static_cast<const QString *>(value.constData()));
            break;
        default:
            text(value.toString());
        }
    }

    void separator() { m_buffer.append(m_format == Format::Csv ? ',' : '\t'); }

    void endRecord()
    {
        m_buffer.append(recordEnd(m_format));
        if (m_buffer.size() >= kWriteSize)
            flush();
    }

    void flush()
    {
        if (m_out.write(m_buffer) != m_buffer.size())
            throw store::DatabaseError(QStringLiteral("cannot write the table: ") + m_out.errorString());
        m_buffer.resize(0);
    }

private:
    Format m_format;
    QIODevice &m_out;
    QByteArray m_buffer;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
};

} // namespace

bool isPlainName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return pattern.match(name).hasMatch();
}

qint64 exportTable(store::QueryChannel &channel, const QString &table, Format format, QIODevice &out)
{
    channel.run(QStringLiteral("select * from ") + table);
    const auto finished = qScopeGuard([&channel] { channel.close(); });
    Writer writer(format, out);
    const QStringList columns = channel.columnNames();
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (i > 0)
            writer.separator();
        writer.text(columns[i]);
    }
    writer.endRecord();
    qint64 rows = 0;
    for (;;) {
        const int fetched = channel.fetched();
        for (int row = 0; row < fetched; ++row) {
            for (int column = 0; column < columns.size(); ++column) {
                if (column > 0)
                    writer.separator();
                writer.cell(channel.cell(row, column));
            }
            writer.endRecord();
        }
        rows += fetched;
        // Written rows leave the channel's copy, so a large table streams through in batches.
        for (int row = fetched - 1; row >= 0; --row)
            channel.removeRow(row);
        if (channel.atEnd())
            break;
        channel.fetch(kBatchRows);
    }
    writer.flush();
    return rows;
}

} // namespace transfer
