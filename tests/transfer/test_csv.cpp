#include "transfer/csv.h"
#include "transfer/textencoding.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using transfer::CsvReader;

namespace {

// Texts that break a naive writer or reader.
const QStringList kHostile{
    u""_s, u"plain"_s, u"a,b"_s, u"a;b"_s, u"\"quoted\""_s, u"say \"\"two\"\""_s, u"\""_s, u","_s,
    u"line\nbreak"_s, u"cr\ronly"_s, u"crlf\r\nend\r\n"_s, u" spaced "_s, u"tab\there\\"_s,
    u"Ёлкин, \"мл.\"\r\nул. 8-Марта"_s,
};

QList<QStringList> readAll(const QByteArray &bytes, std::optional<char> separator = ',')
{
    CsvReader reader(bytes, separator);
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

class CsvSeparators : public ::testing::TestWithParam<char> {};

TEST_P(CsvSeparators, HostileTextsSurviveARoundTrip)
{
    const char separator = GetParam();
    const auto append = [separator](QByteArray &bytes, const QString &text) {
        transfer::appendField(bytes, text.toUtf8(), transfer::Format::Csv, separator);
    };
    // Each text alone (a first field and a last one), then all of them in one record.
    QByteArray bytes;
    QList<QStringList> expected;
    for (const QString &text : kHostile + QStringList{kHostile.join(u'|')}) {
        append(bytes, text);
        bytes += separator;
        append(bytes, text);
        bytes += transfer::recordEnd(transfer::Format::Csv);
        expected << QStringList{text, text};
    }
    for (qsizetype i = 0; i < kHostile.size(); ++i) {
        if (i > 0)
            bytes += separator;
        append(bytes, kHostile[i]);
    }
    // The last record has no line end.
    expected << kHostile;
    EXPECT_EQ(readAll(bytes, separator), expected);
}

INSTANTIATE_TEST_SUITE_P(Csv, CsvSeparators, ::testing::ValuesIn(transfer::kCsvSeparators));

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

// As spreadsheet programs read it; a field that begins with a quote still follows RFC 4180.
TEST(Csv, QuoteInsideAnUnquotedFieldIsACharacter)
{
    EXPECT_EQ(readAll("37°36'37.8\"N,a\"\"b,c\",\"d\"\"\"\n"),
              (QList<QStringList>{{u"37°36'37.8\"N"_s, u"a\"\"b"_s, u"c\""_s, u"d\""_s}}));
}

TEST(Csv, WithoutASeparatorEveryLineIsOneField)
{
    EXPECT_EQ(readAll("fam\nИванов, мл.;\t\n\"a\nb\"\n", std::nullopt),
              (QList<QStringList>{{u"fam"_s}, {u"Иванов, мл.;\t"_s}, {u"a\nb"_s}}));
}

struct Header {
    QByteArray bytes;
    QByteArray separators;
};

class CsvHeaders : public ::testing::TestWithParam<Header> {};

TEST_P(CsvHeaders, ReadWithTheSeparatorsTheyAreWrittenWith)
{
    EXPECT_EQ(transfer::headerSeparators(GetParam().bytes), GetParam().separators);
}

INSTANTIATE_TEST_SUITE_P(Csv, CsvHeaders, ::testing::Values(
    Header{"fam", ""}, Header{"fam\nА,Б;В\tГ\n", ""},
    Header{"fam,im\nА;Б\n", ","}, Header{"fam;im", ";"}, Header{"fam\tim\r\n", "\t"},
    Header{"\"f,a\";im\n", ";"}, Header{"fam;im,ot\n", ",;"}, Header{"fam,im\tot;kv", ",;\t"}));

struct Mixed {
    const char *name;
    QByteArray bytes;
    transfer::Encoding encoding;
    qint64 strayLine;
};

class TextEncodings : public ::testing::TestWithParam<Mixed> {};

// Line numbers count LF, CR LF and a lone CR as one break each, as CsvReader does.
TEST_P(TextEncodings, TheFirstLineOfLettersSetsTheEncodingAndALineInTheOtherIsNamed)
{
    const transfer::DetectedEncoding detected = transfer::detectEncoding(GetParam().bytes);
    EXPECT_EQ(detected.encoding, GetParam().encoding);
    EXPECT_EQ(detected.strayLine, GetParam().strayLine);
}

// "Щукина" in UTF-8, and "Ёжиков" and "Сёмин" in Windows-1251.
const QByteArray kUtf8 = "\xD0\xA9\xD1\x83\xD0\xBA\xD0\xB8\xD0\xBD\xD0\xB0";
const QByteArray kCp1251 = "\xA8\xE6\xE8\xEA\xEE\xE2";
const QByteArray kCp1251Again = "\xD1\xB8\xEC\xE8\xED";

INSTANTIATE_TEST_SUITE_P(Csv, TextEncodings, ::testing::Values(
    Mixed{"Utf8", "fam\n" + kUtf8 + "\n", transfer::Encoding::Utf8, 0},
    Mixed{"Windows1251", "fam\r\n" + kCp1251 + "\r\n" + kCp1251Again, transfer::Encoding::Windows1251, 0},
    Mixed{"Windows1251ThenUtf8", "fam\r\n" + kCp1251 + "\r\n\r\nx\r" + kUtf8, transfer::Encoding::Windows1251, 5},
    Mixed{"Utf8ThenWindows1251", "fam\n" + kUtf8 + "\n" + kCp1251, transfer::Encoding::Utf8, 3},
    Mixed{"ByteOrderMarkThenWindows1251", "\xEF\xBB\xBF" "fam\n" + kCp1251, transfer::Encoding::Utf8, 2}),
    [](const auto &info) { return std::string(info.param.name); });

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
    Broken{"a,b\n\"x\"y,z\n", 2, 0},
    Broken{"a,\"b\nb\"\n\"", 3, 0}));
