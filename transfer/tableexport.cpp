#include "transfer/tableexport.h"

#include "store/storeerror.h"
#include "store/querychannel.h"
#include "text/cp1251.h"

#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>

namespace transfer {

namespace {

constexpr qsizetype kWriteSize = 1 << 16;

// Ends the scan of the table from inside a row.
struct Unencodable {
    qsizetype column;
    QString value;
};

class Writer {
public:
    Writer(const ExportOptions &options, QIODevice &out) : m_options(options), m_out(out) {}

    void field(qsizetype index, QByteArrayView utf8)
    {
        if (index > 0)
            m_buffer.append(m_options.format == Format::Csv ? m_options.separator : '\t');
        appendField(m_buffer, encoded(index, utf8), m_options.format, m_options.separator);
        m_onlyEmpty = index == 0 && utf8.isEmpty();
    }

    void endRecord()
    {
        // A blank line is no record to a CSV reader: a lone empty field is written quoted.
        if (m_onlyEmpty && m_options.format == Format::Csv)
            m_buffer.append("\"\"");
        m_buffer.append(recordEnd(m_options.format));
        if (m_buffer.size() >= kWriteSize)
            flush();
        m_recordStart = m_buffer.size();
    }

    // Takes back the fields of a record that will not end: the output holds whole records only.
    void dropRecord() { m_buffer.resize(m_recordStart); }

    void flush()
    {
        if (m_out.write(m_buffer) != m_buffer.size())
            throw store::StoreError(store::StoreError::Kind::TableNotWritten, {m_out.errorString()});
        m_buffer.resize(0);
    }

private:
    QByteArrayView encoded(qsizetype index, QByteArrayView utf8)
    {
        if (m_options.encoding == Encoding::Utf8
            || std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            return utf8;
        std::optional<QByteArray> bytes = cp1251::encode(QString::fromUtf8(utf8));
        if (!bytes)
            throw Unencodable{index, QString::fromUtf8(utf8)};
        m_encoded = std::move(*bytes);
        return m_encoded;
    }

    const ExportOptions &m_options;
    QIODevice &m_out;
    QByteArray m_buffer;
    qsizetype m_recordStart = 0;
    QByteArray m_encoded;
    bool m_onlyEmpty = false;
};

} // namespace

bool isPlainName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return pattern.match(name).hasMatch();
}

ExportOutcome exportTable(store::QueryChannel &channel, const QString &table, const ExportOptions &options,
                          QIODevice &out)
{
    Writer writer(options, out);
    ExportOutcome outcome;
    // The table as it was at one moment, however long the writing takes and whoever writes meanwhile.
    const store::ReadSnapshot snapshot(channel);
    QStringList columns;
    try {
        channel.scan(
            QStringLiteral("select * from ") + table,
            [&](const QStringList &names) {
                columns = names;
                for (qsizetype i = 0; i < names.size(); ++i)
                    writer.field(i, names[i].toUtf8());
                writer.endRecord();
            },
            [&](const store::RowText &row) {
                for (qsizetype column = 0; column < columns.size(); ++column)
                    writer.field(column, row[int(column)]);
                writer.endRecord();
                ++outcome.rows;
            });
    } catch (const Unencodable &refused) {
        writer.dropRecord();
        outcome.refusal = ExportRefusal{outcome.rows + 1, columns.value(refused.column), refused.value};
    }
    writer.flush();
    return outcome;
}

} // namespace transfer
