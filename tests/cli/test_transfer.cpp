#include "tests/support/clirunner.h"

#include "store/connection.h"
#include "text/cp1251.h"
#include "store/querychannel.h"

#include <QDir>
#include <QFile>
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
    const QString csv = u"kv,Fam,im\r\n12,Щукина,Алёна\r\n,Ёжиков,\r\n"_s;
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
};

class BadFiles : public Transfer, public ::testing::WithParamInterface<BadFile> {};

// The first bad value is named, and not one row of the file is added.
TEST_P(BadFiles, AreRefusedWholeNamingLineAndColumn)
{
    addEntry(u"a"_s, {u"Первый"_s, u""_s, u""_s, u""_s, u""_s, 1, u""_s, 1});
    const QString before = table(u"a"_s);
    write(u"bad.csv"_s, GetParam().csv);
    const CliRun run = cli({u"import-csv"_s, u"bad.csv"_s, u"--directory=a"_s});
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
    EXPECT_TRUE(run.err.contains(u"line 2: Ошибка базы данных: UNIQUE constraint failed: fam.id"_s)) << run.err.toStdString();
    EXPECT_EQ(table(u"a"_s, u"fam"_s), before);
}

INSTANTIATE_TEST_SUITE_P(Transfer, BadFiles, ::testing::Values(
    BadFile{"fam,dom\nА,1\nБ,2\nВ,два\nГ,x\n", u"line 4, column dom"_s},
    BadFile{"fam,kv\nА,1\nБ,99999999999\n", u"line 3, column kv"_s},
    BadFile{"fam,town\nА,Тверь\n", u"line 1, column town"_s},
    BadFile{"fam,im\nА,\"Б\n\nВ,Г\n", u"line 2, column im"_s},
    BadFile{"fam,im\n\"А\nА\",Б\nВ,Г,Д\n", u"line 4, column #3"_s},
    BadFile{"fam,dom\nА,1\n\"Б\nБ\",  \n\"В\nВ\",1.5\n", u"line 6, column dom"_s}));

} // namespace
