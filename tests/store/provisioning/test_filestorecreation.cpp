#include "store/storeerror.h"
#include "store/provisioning/filestorecreation.h"
#include "store/provisioning/sampledata.h"
#include "store/provisioning/stagingfile.h"
#include "tests/store/sqlitedatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class DirectoryFile : public ::testing::Test {
protected:
    QString path() const { return folder.filePath(u"history.dat"_s); }
    QStringList entries() const { return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
    QTemporaryDir folder;
};

} // namespace

TEST_F(DirectoryFile, HoldsTheSampleDataUnderItsIds)
{
    store::createDirectoryFile(path());
    SqliteDatabase db(path().toStdString());
    db.withCollation();
    for (const store::ReferenceRows &rows : store::sampleReferenceRows()) {
        const std::string table = rows.table.toStdString(), column = rows.column.toStdString();
        EXPECT_EQ(db.scalar("select count(*) from " + table), std::to_string(rows.values.size())) << table;
        EXPECT_EQ(db.scalar("select min(id) || '-' || max(id) from " + table), "1-" + std::to_string(rows.values.size()));
        EXPECT_EQ(db.scalar("select " + column + " from " + table + " where id=1"), rows.values.first().toStdString());
        EXPECT_EQ(db.scalar("select " + column + " from " + table + " where id=" + std::to_string(rows.values.size())),
                  rows.values.last().toStdString());
    }
    EXPECT_EQ(db.scalar("select s || ',' || tel from param"), "1,7");
    EXPECT_EQ(db.scalar("select count(*) from param"), "1");
    EXPECT_EQ(db.scalar("select count(*) from tab"), "0");
}

TEST_F(DirectoryFile, LeavesNothingElseInTheFolder)
{
    store::createDirectoryFile(path());
    EXPECT_EQ(entries(), QStringList({u"history.dat"_s}));
}

// A run killed outright left its staging file and journal; the next run for the same target removes
// them, but neither the file a living run is writing nor a file that is no staging file of ours.
TEST_F(DirectoryFile, TheNextRunRemovesADeadRunsStagingOnly)
{
    const store::StagingFile living(path());
    for (const auto &[name, bytes] : {std::pair{u".history.dat.Dead01"_s, QByteArray()},
                                      std::pair{u".history.dat.Dead01-journal"_s, QByteArray(512, 'j')},
                                      std::pair{u".history.dat.Notes1"_s, QByteArray("someone's notes")}}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    store::createDirectoryFile(path());
    QStringList expected{u".history.dat.Notes1"_s, QFileInfo(living.path()).fileName(), u"history.dat"_s};
    expected.sort();
    QStringList left = entries();
    left.sort();
    EXPECT_EQ(left, expected);
}

TEST_F(DirectoryFile, IsReadableLikeAnyOtherFile)
{
    store::createDirectoryFile(path());
    EXPECT_TRUE(QFileInfo(path()).permissions() & QFile::ReadOther);
}

TEST_F(DirectoryFile, NeverReplacesAnExistingFile)
{
    QFile existing(path());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    try {
        store::createDirectoryFile(path());
        FAIL() << "an existing file was accepted";
    } catch (const store::StoreError &e) {
        EXPECT_EQ(e.kind(), store::StoreError::Kind::FileExists) << e.what();
        EXPECT_EQ(e.details().value(0), path()) << e.what();
    }
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
    EXPECT_EQ(entries(), QStringList({u"history.dat"_s}));
}

TEST_F(DirectoryFile, MissingFolderIsAnError)
{
    EXPECT_THROW(store::createDirectoryFile(folder.filePath(u"no/such/history.dat"_s)), store::StoreError);
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(DirectoryFile, ToolWithoutTheCollationCannotWriteEntriesTheLookupsMiss)
{
    store::createDirectoryFile(path());
    SqliteDatabase plain(path().toStdString());
    EXPECT_NE(plain.exec("insert into tab(fam) values('Иванов')"), SQLITE_OK);
    EXPECT_NE(plain.error().find("no such collation sequence"), std::string::npos) << plain.error();
    EXPECT_NE(plain.exec("select * from tab where fam='Иванов'"), SQLITE_OK);
}
