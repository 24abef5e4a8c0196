#include "transfer/csv.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using transfer::CsvReader;

namespace {

// Texts that break a naive writer or reader.
const QStringList kHostile{
    u""_s, u"plain"_s, u"a,b"_s, u"\"quoted\""_s, u"say \"\"two\"\""_s, u"\""_s, u","_s,
    u"line\nbreak"_s, u"cr\ronly"_s, u"crlf\r\nend\r\n"_s, u" spaced "_s, u"tab\there\\"_s,
    u"Ёлкин, \"мл.\"\r\nул. 8-Марта"_s,
};

QList<QStringList> readAll(const QByteArray &bytes)
{
    CsvReader reader(bytes);
    std::vector<CsvReader::Field> fields;
    QList<QStringList> records;
    CsvReader::Result result;
    while ((result = reader.next(fields)) == CsvReader::Record) {
        QStringList record;
        for (const CsvReader::Field &f : fields)
            record << QString::fromUtf8(f.text);
        records << record;
    }
    EXPECT_EQ(result, CsvReader::End);
    return records;
}

} // namespace

TEST(Csv, HostileTextsSurviveARoundTrip)
{
    // Each text alone (a first field and a last one), then all of them in one record.
    QByteArray bytes;
    QList<QStringList> expected;
    for (const QString &text : kHostile + QStringList{kHostile.join(u'|')}) {
        transfer::appendField(bytes, text.toUtf8(), transfer::Format::Csv);
        bytes += ',';
        transfer::appendField(bytes, text.toUtf8(), transfer::Format::Csv);
        bytes += transfer::recordEnd(transfer::Format::Csv);
        expected << QStringList{text, text};
    }
    for (qsizetype i = 0; i < kHostile.size(); ++i) {
        if (i > 0)
            bytes += ',';
        transfer::appendField(bytes, kHostile[i].toUtf8(), transfer::Format::Csv);
    }
    // The last record has no line end.
    expected << kHostile;
    EXPECT_EQ(readAll(bytes), expected);
}

TEST(Csv, OnlyFieldsThatNeedItAreQuoted)
{
    QByteArray out;
    transfer::appendField(out, "Иванов", transfer::Format::Csv);
    out += '|';
    transfer::appendField(out, "a \"b\", c", transfer::Format::Csv);
    EXPECT_EQ(out, "Иванов|\"a \"\"b\"\", c\"");
}

TEST(Csv, LineBreaksOfEveryKindEndRecordsAndBlankLinesAreSkipped)
{
    EXPECT_EQ(readAll("a,b\r\nc,d\re,f\n\n\r\ng,\n"),
              (QList<QStringList>{{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}, {u"e"_s, u"f"_s}, {u"g"_s, u""_s}}));
}

TEST(Csv, FieldsKnowTheLineTheyBeginOn)
{
    CsvReader reader("h1,h2\n\"two\r\nlines\",x\r\n\"three\n\nlines\",\n\ny,z");
    std::vector<CsvReader::Field> fields;
    QList<qint64> lines;
    while (reader.next(fields) == CsvReader::Record)
        for (const CsvReader::Field &f : fields)
            lines << f.line;
    EXPECT_EQ(lines, (QList<qint64>{1, 1, 2, 3, 4, 6, 8, 8}));
}

struct Broken {
    QByteArray bytes;
    qint64 line;
    qsizetype field;
};

class CsvBroken : public ::testing::TestWithParam<Broken> {};

TEST_P(CsvBroken, SaysWhereTheQuoteIsWrong)
{
    CsvReader reader(GetParam().bytes);
    std::vector<CsvReader::Field> fields;
    CsvReader::Result result;
    while ((result = reader.next(fields)) == CsvReader::Record) {
    }
    ASSERT_EQ(result, CsvReader::BrokenQuote);
    EXPECT_EQ(reader.brokenLine(), GetParam().line);
    EXPECT_EQ(reader.brokenField(), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(Csv, CsvBroken, ::testing::Values(
    Broken{"a,b\nc,\"never closed\nd,e\n", 2, 1},
    Broken{"a,b\nc,d\"e\n", 2, 1},
    Broken{"a,b\n\"x\"y,z\n", 2, 0},
    Broken{"a,\"b\nb\"\n\"", 3, 0}));
