#include "transfer/csv.h"

namespace transfer {

namespace {

bool needsQuotes(QByteArrayView utf8, char separator)
{
    for (const char c : utf8)
        if (c == separator || c == '"' || c == '\n' || c == '\r')
            return true;
    return false;
}

} // namespace

void appendField(QByteArray &out, QByteArrayView utf8, Format format, char separator)
{
    if (format == Format::Csv) {
        if (!needsQuotes(utf8, separator)) {
            out.append(utf8);
            return;
        }
        out.append('"');
        for (const char c : utf8) {
            if (c == '"')
                out.append('"');
            out.append(c);
        }
        out.append('"');
        return;
    }
    for (const char c : utf8) {
        switch (c) {
        case '\t':
            out.append("\\t");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\\':
            out.append("\\\\");
            break;
        default:
            out.append(c);
        }
    }
}

QByteArrayView recordEnd(Format format)
{
    return format == Format::Csv ? QByteArrayView("\r\n") : QByteArrayView("\n");
}

bool CsvReader::atLineBreak() const
{
    return m_bytes[m_pos] == '\n' || m_bytes[m_pos] == '\r';
}

void CsvReader::skipLineBreak()
{
    if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
}

CsvReader::Result CsvReader::next(std::vector<Field> &fields)
{
    while (m_pos < m_bytes.size() && atLineBreak())
        skipLineBreak();
    if (m_pos == m_bytes.size())
        return End;
    std::size_t count = 0;
    const auto broken = [&] {
        m_brokenLine = m_line;
        m_brokenField = qsizetype(count);
        return BrokenQuote;
    };
    for (;;) {
        if (fields.size() == count)
            fields.emplace_back();
        Field &field = fields[count];
        field.text.resize(0);
        field.line = m_line;
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '"') {
            const qint64 opened = m_line;
            for (++m_pos;; ++m_pos) {
                if (m_pos == m_bytes.size()) {
                    m_line = opened;
                    return broken();
                }
                const char c = m_bytes[m_pos];
                if (c == '"') {
                    if (m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '"') {
                        field.text.append('"');
                        ++m_pos;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                if (c == '\n' || (c == '\r' && (m_pos + 1 == m_bytes.size() || m_bytes[m_pos + 1] != '\n')))
                    ++m_line;
                field.text.append(c);
            }
            if (m_pos < m_bytes.size() && m_bytes[m_pos] != m_separator && !atLineBreak())
                return broken();
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_bytes.size() && m_bytes[m_pos] != m_separator && !atLineBreak())
                ++m_pos;
            field.text.append(m_bytes.sliced(start, m_pos - start));
        }
        ++count;
        if (m_pos == m_bytes.size() || atLineBreak()) {
            if (m_pos < m_bytes.size())
                skipLineBreak();
            fields.resize(count);
            return Record;
        }
        ++m_pos; // the separator
    }
}

QByteArray headerSeparators(QByteArrayView bytes)
{
    QByteArray found;
    std::vector<CsvReader::Field> fields;
    for (const char separator : kCsvSeparators)
        if (CsvReader(bytes, separator).next(fields) == CsvReader::Record && fields.size() > 1)
            found.append(separator);
    return found;
}

} // namespace transfer
