#include "tests/support/clirunner.h"

#include "store/connection.h"
#include "text/cp1251.h"
#include "store/querychannel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Directory folders made by zelvik-cli init inside one scratch folder.
class Transfer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(cli({u"init"_s, u"a"_s}).exitCode, 0); }

    CliRun cli(const QStringList &args) const { return runCli(scratch.path(), args); }
    QString at(const QString &name) const { return scratch.filePath(name); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(at(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void addEntry(const QString &folder, const QVariantList &values) const
    {
        store::Connection connection(QDir(at(folder)).filePath(u"history.dat"_s));
        store::QueryChannel channel(connection);
        channel.write(u"insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values(?,?,?,?,?,?,?,?)"_s, values);
    }

    QString table(const QString &folder, const QString &name = u"tab"_s) const
    {
        const CliRun run = cli({u"export"_s, u"--directory"_s, folder, u"--table"_s, name});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    }

    QTemporaryDir scratch;
};

TEST_F(Transfer, ExportThenImportIntoAFreshFolderGivesTheSameRows)
{
    addEntry(u"a"_s, {u"Ёлкин, мл."_s, u"Иван \"Ваня\""_s, u"a\r\nb\rc\nd"_s, u"4951234567"_s, u"8-Марта,\t\\"_s,
                      3, u""_s, 7});
    addEntry(u"a"_s, {u"\""_s, u","_s, u"\"\""_s, u""_s, u" ул "_s, QVariant(), u"А"_s, QVariant()});
    // Tab-separated, every row stays one line whatever its texts hold.
    const CliRun tsv = cli({u"export"_s, u"--directory=a"_s, u"--format=tsv"_s});
    EXPECT_EQ(tsv.outLines().size(), 3);
    EXPECT_EQ(tsv.outLines().value(2), u"2\t\"\t,\t\"\"\t\t ул \t\tА\t"_s);
    write(u"a.csv"_s, table(u"a"_s).toUtf8());
    ASSERT_EQ(cli({u"init"_s, u"b"_s}).exitCode, 0);
    const CliRun import = cli({u"import-csv"_s, u"a.csv"_s, u"--directory"_s, u"b"_s});
    ASSERT_EQ(import.exitCode, 0) << import.err.toStdString();
    EXPECT_EQ(table(u"b"_s), table(u"a"_s));

    // The ids in the file are not taken over: the same rows again are new rows.
    ASSERT_EQ(cli({u"import-csv"_s, u"a.csv"_s, u"--directory=b"_s}).exitCode, 0);
    EXPECT_EQ(cli({u"sql"_s, u"--directory=b"_s, u"select count(*) as n, max(id) as m from tab"_s}).out,
              u"n\tm\n4\t4\n"_s);
}

struct Encoded {
    const char *name;
    QByteArray (*encode)(const QString &);
};

class Encodings : public Transfer, public ::testing::WithParamInterface<Encoded> {};

TEST_P(Encodings, TheFileIsReadInItsEncodingAndColumnsInAnyOrder)
{
    // The first name is quoted, as spreadsheet programs may write it: a byte order mark not taken
    // for one would stand before the quote.
    const QString csv = u"\"kv\",Fam,im\r\n12,Щукина,Алёна\r\n,Ёжиков,\r\n"_s;
    write(u"in.csv"_s, GetParam().encode(csv));
    const CliRun run = cli({u"import-csv"_s, u"in.csv"_s, u"--directory=a"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(cli({u"find"_s, u"--directory=a"_s, u"--surname=щукина"_s}).outLines().value(1),
              u"Щукина\tАлёна\t\t\t\t\t\t12"_s);
    EXPECT_EQ(table(u"a"_s), u"id,fam,im,ot,tele,ul,dom,domd,kv\r\n1,Щукина,Алёна,,,,,,12\r\n2,Ёжиков,,,,,,,\r\n"_s);
}

INSTANTIATE_TEST_SUITE_P(Transfer, Encodings, ::testing::Values(
    Encoded{"Utf8", [](const QString &text) { return text.toUtf8(); }},
    Encoded{"Utf8WithByteOrderMark", [](const QString &text) { return "\xEF\xBB\xBF" + text.toUtf8(); }},
    Encoded{"Windows1251", [](const QString &text) { return *cp1251::encode(text); }}),
    [](const auto &info) { return std::string(info.param.name); });

struct BadFile {
    QByteArray csv;
    QString where;
    QStringList options = {};
};

class BadFiles : public Transfer, public ::testing::WithParamInterface<BadFile> {};

// The first bad value is named, and not one row of the file is added.
TEST_P(BadFiles, AreRefusedWholeNamingLineAndColumn)
{
    addEntry(u"a"_s, {u"Первый"_s, u""_s, u""_s, u""_s, u""_s, 1, u""_s, 1});
    const QString before = table(u"a"_s);
    write(u"bad.csv"_s, GetParam().csv);
    const CliRun run = cli(QStringList{u"import-csv"_s, u"bad.csv"_s, u"--directory=a"_s} + GetParam().options);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(GetParam().where)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(table(u"a"_s), before);
}

// A row the store itself refuses is named by its line, with the store's reason in the user's words
// and SQLite's own message; nothing of the file is added.
TEST_F(Transfer, RowTheStoreRefusesIsNamedWithTheStoresReason)
{
    const QString before = table(u"a"_s, u"fam"_s);
    write(u"repeated.csv"_s, "id,fam\n1,Повтор\n");
    const CliRun run = cli({u"import-csv"_s, u"repeated.csv"_s, u"--directory=a"_s, u"--table=fam"_s});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"строка 2: Ошибка базы данных.\nПодробности: UNIQUE constraint failed: fam.id\nНичего не добавлено."_s))
        << run.err.toStdString();
    EXPECT_EQ(table(u"a"_s, u"fam"_s), before);
}

INSTANTIATE_TEST_SUITE_P(Transfer, BadFiles, ::testing::Values(
    BadFile{"fam,dom\nА,1\nБ,2\nВ,два\nГ,x\n", u"line 4, column dom: \"два\" is not a whole number"_s},
    BadFile{"fam,town\nА,Тверь\n", u"line 1, column town"_s},
    BadFile{"fam,im\nА,\"Б\n\nВ,Г\n", u"line 2, column im"_s},
    BadFile{"fam,im\n\"А\nА\",Б\nВ,Г,Д\n", u"line 4, column #3"_s},
    BadFile{"fam,dom\nА,1\n\"Б\nБ\",  \n\"В\nВ\",1.5\n", u"line 6, column dom"_s},
    BadFile{"fam,kv\nА,1\nБ, 2147483648\n",
            u"line 3, column kv: 2147483648 is out of range: the column holds whole numbers from -2147483648 to 2147483647"_s},
    BadFile{"fam,kv\nА,-99999999999999999999\n", u"line 2, column kv: -99999999999999999999 is out of range"_s},
    BadFile{"fam,im\nА,Б\nВ,Г" + QByteArray(1, '\0') + "Д\n", u"line 3, column im: the value holds a NUL character"_s},
    BadFile{"ul;fam\nА;Б\n\"\";" + QString(256, u'я').toUtf8() + "\n",
            u"line 3, column fam: the value is 256 characters long; a text holds at most 255"_s},
    BadFile{"fam\nЩукина\n" + *cp1251::encode(u"Ёжиков"_s) + "\n", u"line 3: not in the encoding of the lines before it"_s},
    BadFile{"fam\n" + *cp1251::encode(u"Ёжиков"_s) + "\n\nЩукина\n", u"line 4: not in the encoding of the lines before it"_s},
    BadFile{"fam;im,ot\nА;Б,В\n", u"line 1: the header reads as columns with more than one separator (comma, semicolon)"_s},
    BadFile{"fam;im\nА;Б\n", u"line 1, column fam;im: the table has no such column"_s, {u"--separator=,"_s}},
    // The one byte Windows-1251 leaves undefined, never stored as some other character.
    BadFile{"fam;im\n" + *cp1251::encode(u"Ёжиков;Ив"_s) + "\x98\n", u"line 2, column im: byte 0x98 is no character in Windows-1251"_s},
    BadFile{"fam\n\"" + *cp1251::encode(u"Ёж"_s) + "\r\n\x98\"\n", u"line 3, column fam: byte 0x98"_s}));

// The rows a spreadsheet leaves with every field empty (";;" at the end, or between) hold no entry.
TEST_F(Transfer, RowsWithEveryFieldEmptyAreSkippedAndCounted)
{
    write(u"in.csv"_s, "fam;im;kv\r\nА;Б;1\r\n;;\r\n\"\";\"\";\r\nВ;;\r\n;;\r\n;\r\n");
    const CliRun run = cli({u"import-csv"_s, u"in.csv"_s, u"--directory=a"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"tab: rows added: 2, empty rows skipped: 4\n"_s);
    EXPECT_EQ(table(u"a"_s), u"id,fam,im,ot,tele,ul,dom,domd,kv\r\n1,А,Б,,,,,,1\r\n2,В,,,,,,,\r\n"_s);
}

struct Separator {
    const char *name;
    QString sign;
};

class Separators : public Transfer, public ::testing::WithParamInterface<Separator> {};

// What export writes with a separator, import-csv reads back by its header alone.
TEST_P(Separators, ExportWithASeparatorImportsBackUnasked)
{
    addEntry(u"a"_s, {u"Ёлкин; мл."_s, u"a,b\tc"_s, u"\"q\""_s, u"1"_s, QString(255, u'я'), 3, u""_s, 7});
    const CliRun exported = cli({u"export"_s, u"--directory=a"_s, u"--separator"_s, QString::fromLatin1(GetParam().name)});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.startsWith(QStringList{u"id"_s, u"fam"_s, u"im"_s}.join(GetParam().sign)));
    write(u"a.csv"_s, exported.out.toUtf8());
    ASSERT_EQ(cli({u"init"_s, u"b"_s}).exitCode, 0);
    const CliRun import = cli({u"import-csv"_s, u"a.csv"_s, u"--directory=b"_s});
    ASSERT_EQ(import.exitCode, 0) << import.err.toStdString();
    EXPECT_EQ(table(u"b"_s), table(u"a"_s));
}

INSTANTIATE_TEST_SUITE_P(Transfer, Separators, ::testing::Values(
    Separator{"comma", u","_s}, Separator{"semicolon", u";"_s}, Separator{"tab", u"\t"_s}),
    [](const auto &info) { return std::string(info.param.name); });

struct SpreadsheetFile {
    const char *name;
    QByteArray csv;
    QString row; // the row of tab after it, as export writes it
    QStringList options = {};
};

class SpreadsheetFiles : public Transfer, public ::testing::WithParamInterface<SpreadsheetFile> {};

TEST_P(SpreadsheetFiles, AreReadAsSpreadsheetProgramsWriteThem)
{
    write(u"in.csv"_s, GetParam().csv);
    const CliRun run = cli(QStringList{u"import-csv"_s, u"in.csv"_s, u"--directory=a"_s} + GetParam().options);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(table(u"a"_s).split(u"\r\n"_s).value(1), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(Transfer, SpreadsheetFiles, ::testing::Values(
    SpreadsheetFile{"QuoteInAnUnquotedField", "fam;ul;kv\r\nГеоргиев;37°36'37.8\"N;\"1\"\r\n",
                    u"1,Георгиев,,,,\"37°36'37.8\"\"N\",,,1"_s},
    SpreadsheetFile{"OneColumnNeedsNoSeparator", "fam\nИванов, мл.; \"ст.\"\n", u"1,\"Иванов, мл.; \"\"ст.\"\"\",,,,,,,"_s},
    SpreadsheetFile{"SeparatorGiven", "fam,im\nА;Б,В\n", u"1,А;Б,В,,,,,,"_s, {u"--separator"_s, u","_s}}),
    [](const auto &info) { return std::string(info.param.name); });

// For spreadsheet programs that read CSV only in the Windows code page; a character the page does
// not hold is never written as another one, and the output ends before its row.
TEST_F(Transfer, ExportInWindows1251RefusesWhatThePageCannotHold)
{
    const auto exported = [this] {
        QProcess process;
        prepareCli(process, scratch.path(), {u"export"_s, u"--directory=a"_s, u"--encoding=windows-1251"_s, u"--separator=;"_s});
        process.start();
        process.waitForFinished(-1);
        return std::pair{process.exitCode(), process.readAllStandardOutput()};
    };
    const QByteArray written = *cp1251::encode(u"id;fam;im;ot;tele;ul;dom;domd;kv\r\n1;Ёлкин;Алёна;;;;1;;1\r\n"_s);
    addEntry(u"a"_s, {u"Ёлкин"_s, u"Алёна"_s, u""_s, u""_s, u""_s, 1, u""_s, 1});
    EXPECT_EQ(exported(), std::pair(0, written));

    addEntry(u"a"_s, {u"Ωмега"_s, u""_s, u""_s, u""_s, u""_s, 1, u""_s, 1});
    EXPECT_EQ(exported(), std::pair(2, written));
    const CliRun run = cli({u"export"_s, u"--directory=a"_s, u"--encoding=windows-1251"_s});
    EXPECT_TRUE(run.err.contains(u"row 2, column fam: Windows-1251 cannot hold \"Ωмега\""_s)) << run.err.toStdString();
}

} // namespace
