// The first connect to a file the program has not used yet (not yet in WAL): nothing is written to
// it until it has proved to be a sound directory file.
#include "store/connection.h"
#include "store/storeerror.h"
#include "messages/errortext.h"
#include "tests/store/filebytes.h"
#include "store/querychannel.h"
#include "tests/support/scratchfolder.h"
#include "tests/store/sqlitedatabase.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const store::StoreError &e) {
        return messages::errorText(e);
    }
    return {};
}

// The file format's own mark (header bytes 18 and 19): 2 for WAL, 1 for a rollback journal.
int journalMark(const QString &path)
{
    const QByteArray header = fileBytes(path).left(20);
    return header.size() == 20 && header[18] == header[19] ? header[18] : -1;
}

class FirstUse : public ::testing::Test {
protected:
    QString path() const { return scratch.history(); }
    QStringList entries() const
    {
        return QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    void useRollbackJournal()
    {
        SqliteDatabase db(path().toStdString());
        ASSERT_EQ(db.exec("PRAGMA journal_mode=DELETE"), SQLITE_OK) << db.error();
    }

    void fillTab(int rows)
    {
        SqliteDatabase db(path().toStdString());
        db.withCollation();
        const std::string insert = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
            + std::to_string(rows)
            + ") INSERT INTO tab(fam, im, ot, tele, ul, dom, domd, kv) SELECT 'Фамилия' || i, 'Имя', 'Отчество', "
              "'495' || (1000000 + i), 'Улица ' || hex(randomblob(40)), i % 90 + 1, '', i % 200 + 1 FROM n";
        ASSERT_EQ(db.exec(insert), SQLITE_OK) << db.error();
    }

    // The schema page stays readable; the pages of tab and its indexes behind it do not.
    void damagePages()
    {
        QByteArray bytes = fileBytes(path());
        for (qsizetype at = 8192; at < bytes.size(); at += 4096)
            bytes.replace(at + 100, 64, QByteArray(64, '\xA5'));
        ASSERT_TRUE(writeFileBytes(path(), bytes));
    }

    void replaceWith(const QByteArray &bytes)
    {
        ASSERT_TRUE(QFile::remove(path()));
        ASSERT_TRUE(writeFileBytes(path(), bytes));
    }

    ScratchFolder scratch{ScratchFolder::HistoryDat};
    store::Connection connection{scratch.history()};
};

} // namespace

TEST_F(FirstUse, NewDirectoryFileNeedsNoSwitch)
{
    EXPECT_EQ(journalMark(path()), 2);
    const QByteArray before = fileBytes(path());
    connection.connect();
    connection.close();
    EXPECT_EQ(fileBytes(path()), before);
}

TEST_F(FirstUse, SoundFileIsSwitchedToWal)
{
    useRollbackJournal();
    ASSERT_EQ(journalMark(path()), 1);
    connection.connect();
    connection.close();
    EXPECT_EQ(journalMark(path()), 2);
}

TEST_F(FirstUse, EmptyFileIsRefusedNamingItAndStaysEmpty)
{
    replaceWith({});
    const QString error = failureOf([&] { connection.connect(); });
    EXPECT_TRUE(error.contains(u"history.dat"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"нет таблицы tab"_s)) << error.toStdString();
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(QFileInfo(path()).size(), 0);
    EXPECT_EQ(entries(), QStringList{u"history.dat"_s});
}

TEST_F(FirstUse, AnotherProgramsDatabaseIsLeftAsItWas)
{
    ASSERT_TRUE(QFile::remove(path()));
    {
        SqliteDatabase other(path().toStdString());
        ASSERT_EQ(other.exec("CREATE TABLE notes(id INTEGER PRIMARY KEY, text TEXT); INSERT INTO notes(text) VALUES('x')"),
                  SQLITE_OK);
    }
    const QByteArray before = fileBytes(path());
    const QString error = failureOf([&] { connection.connect(); });
    EXPECT_TRUE(error.contains(u"tab"_s)) << error.toStdString();
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_EQ(journalMark(path()), 1);
}

TEST_F(FirstUse, DamagedFileIsRefusedBeforeAnythingIsWritten)
{
    useRollbackJournal();
    fillTab(3000);
    damagePages();
    const QByteArray before = fileBytes(path());
    const QString error = failureOf([&] { connection.connect(); });
    EXPECT_TRUE(error.contains(u"history.dat"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"повреждён"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"zelvik-cli check"_s)) << error.toStdString();
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(fileBytes(path()), before);
}

TEST_F(FirstUse, DamagedFileAlreadyInWalStopsTheLookupThatMeetsTheDamage)
{
    fillTab(3000);
    damagePages();
    const QByteArray before = fileBytes(path());
    store::QueryChannel channel(connection);
    const QString error = failureOf([&] { channel.run(uR"(select * from tab where fam="Петрова")"_s); });
    EXPECT_TRUE(error.contains(u"Файл history.dat повреждён"_s)) << error.toStdString();
    connection.close();
    EXPECT_EQ(fileBytes(path()), before);
}
