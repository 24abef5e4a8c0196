#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

// Tables as text: CSV (RFC 4180) and the tab-separated form zelvik-cli prints. Both work on UTF-8
// bytes; the delimiters are ASCII, so they are found the same way in Windows-1251 text.
namespace transfer {

enum class Format { Csv, Tsv };

// What separates CSV fields: RFC 4180's comma, the semicolon spreadsheet programs write where the
// comma is the decimal mark, and the tab of their tab-delimited text.
inline constexpr char kCsvSeparators[] = {',', ';', '\t'};

// The field as the format writes it. CSV quotes a field holding the separator, a quote or a line
// break, doubling its quotes. TSV writes tab, line feed, carriage return and backslash as \t, \n,
// \r and \\, so that every line is one row and the fields split on tabs.
void appendField(QByteArray &out, QByteArrayView utf8, Format format, char separator = ',');
// CSV ends a record with CR LF, TSV with LF.
QByteArrayView recordEnd(Format format);

// Reads CSV records one at a time from bytes that stay alive meanwhile. A record ends at LF, CR LF
// or a lone CR outside quotes; blank lines are skipped. A field that begins with a quote follows
// RFC 4180; in any other field a quote is just a character, as spreadsheet programs read it
// (37°36'37.8"N). Without a separator every line is one field.
class CsvReader {
public:
    struct Field {
        QByteArray text; // without its quotes, doubled quotes made single
        qint64 line = 0; // where the field begins, counted from 1
    };
    enum Result { Record, End, BrokenQuote };

    // A line break ends a field before it could separate one, so it stands for no separator.
    explicit CsvReader(QByteArrayView bytes, std::optional<char> separator = ',')
        : m_bytes(bytes), m_separator(separator.value_or('\n'))
    {
    }

    // The next record into fields (resized to its field count). BrokenQuote when a quoted field is
    // not closed, or something other than a separator or a line break follows its closing quote:
    // brokenLine() and brokenField() (counted from 0) then say where.
    Result next(std::vector<Field> &fields);
    qint64 position() const { return m_pos; }
    qint64 brokenLine() const { return m_brokenLine; }
    qsizetype brokenField() const { return m_brokenField; }

private:
    bool atLineBreak() const;
    void skipLineBreak();

    QByteArrayView m_bytes;
    char m_separator;
    qsizetype m_pos = 0;
    qint64 m_line = 1;
    qint64 m_brokenLine = 0;
    qsizetype m_brokenField = 0;
};

// The separators of kCsvSeparators by which the file's first record (its header) reads as more than
// one field. None for a header of one column; more than one when it reads in more than one way.
QByteArray headerSeparators(QByteArrayView bytes);

} // namespace transfer
