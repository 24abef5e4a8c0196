#include "transfer/tableexport.h"

#include "store/storeerror.h"
#include "store/querychannel.h"

#include <QIODevice>
#include <QRegularExpression>

namespace transfer {

namespace {

constexpr qsizetype kWriteSize = 1 << 16;

class Writer {
public:
    Writer(Format format, QIODevice &out) : m_format(format), m_out(out) {}

    void field(qsizetype index, QByteArrayView utf8)
    {
        if (index > 0)
            m_buffer.append(m_format == Format::Csv ? ',' : '\t');
        appendField(m_buffer, utf8, m_format);
        m_onlyEmpty = index == 0 && utf8.isEmpty();
    }

    void endRecord()
    {
        // A blank line is no record to a CSV reader: a lone empty field is written quoted.
        if (m_onlyEmpty && m_format == Format::Csv)
            m_buffer.append("\"\"");
        m_buffer.append(recordEnd(m_format));
        if (m_buffer.size() >= kWriteSize)
            flush();
    }

    void flush()
    {
        if (m_out.write(m_buffer) != m_buffer.size())
            throw store::StoreError(store::StoreError::Kind::TableNotWritten, {m_out.errorString()});
        m_buffer.resize(0);
    }

private:
    Format m_format;
    QIODevice &m_out;
    QByteArray m_buffer;
    bool m_onlyEmpty = false;
};

} // namespace

bool isPlainName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return pattern.match(name).hasMatch();
}

qint64 exportTable(store::QueryChannel &channel, const QString &table, Format format, QIODevice &out)
{
    Writer writer(format, out);
    // The table as it was at one moment, however long the writing takes and whoever writes meanwhile.
    const store::ReadSnapshot snapshot(channel);
    qint64 rows = 0;
    int columns = 0;
    channel.scan(
        QStringLiteral("select * from ") + table,
        [&](const QStringList &names) {
            columns = int(names.size());
            for (qsizetype i = 0; i < names.size(); ++i)
                writer.field(i, names[i].toUtf8());
            writer.endRecord();
        },
        [&](const store::RowText &row) {
            for (int column = 0; column < columns; ++column)
                writer.field(column, row[column]);
            writer.endRecord();
            ++rows;
        });
    writer.flush();
    return rows;
}

} // namespace transfer
