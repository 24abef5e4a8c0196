#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// Tables as text: CSV (RFC 4180) and the tab-separated form zelvik-cli prints. Both work on UTF-8
// bytes; the delimiters are ASCII, so they are found the same way in Windows-1251 text.
namespace transfer {

enum class Format { Csv, Tsv };

// The field as the format writes it. CSV quotes a field holding a comma, a quote or a line break,
// doubling its quotes. TSV writes tab, line feed, carriage return and backslash as \t, \n, \r and
// \\, so that every line is one row and the fields split on tabs.
void appendField(QByteArray &out, QByteArrayView utf8, Format format);
// CSV ends a record with CR LF, TSV with LF.
QByteArrayView recordEnd(Format format);

// Reads CSV records one at a time from bytes that stay alive meanwhile. A record ends at LF, CR LF
// or a lone CR outside quotes; blank lines are skipped.
class CsvReader {
public:
    struct Field {
        QByteArray text; // without its quotes, doubled quotes made single
        qint64 line = 0; // where the field begins, counted from 1
    };
    enum Result { Record, End, BrokenQuote };

    explicit CsvReader(QByteArrayView bytes) : m_bytes(bytes) {}

    // The next record into fields (resized to its field count). BrokenQuote when a quoted field is
    // not closed, or a quote stands inside an unquoted field or after a closing one: brokenLine()
    // and brokenField() (counted from 0) then say where.
    Result next(std::vector<Field> &fields);
    qint64 position() const { return m_pos; }
    qint64 brokenLine() const { return m_brokenLine; }
    qsizetype brokenField() const { return m_brokenField; }

private:
    bool atLineBreak() const;
    void skipLineBreak();

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    qint64 m_line = 1;
    qint64 m_brokenLine = 0;
    qsizetype m_brokenField = 0;
};

} // namespace transfer
