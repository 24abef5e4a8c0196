// A directory file that may be read but not written, because of the file's permissions, its
// folder's, or both: lookups still find what is stored, and a write says in words that the file is
// read-only and that nothing was stored.
#include "store/connection.h"
#include "store/storeerror.h"
#include "store/sqlite/fileopening.h"
#include "messages/errortext.h"
#include "tests/store/filebytes.h"
#include "store/querychannel.h"
#include "tests/support/scratchfolder.h"
#include "tests/store/sqlitedatabase.h"
#include "tests/store/unprivilegedaccess.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr auto kEverybody = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr auto kWritable = kEverybody | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
constexpr auto kEnterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

struct Setting {
    const char *name;
    bool fileReadOnly;
    bool folderReadOnly;
    bool wal;
};

void PrintTo(const Setting &setting, std::ostream *os)
{
    *os << setting.name;
}

const Setting kSettings[] = {
    {"ReadOnlyWalFile", true, false, true},
    {"WalFileInReadOnlyFolder", false, true, true},
    {"ReadOnlyWalFileInReadOnlyFolder", true, true, true},
    {"ReadOnlyRollbackFile", true, false, false},
    {"RollbackFileInReadOnlyFolder", false, true, false},
    {"ReadOnlyRollbackFileInReadOnlyFolder", true, true, false},
};

QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const store::StoreError &e) {
        return messages::errorText(e);
    }
    return {};
}

class ReadOnlyDirectoryFile : public ::testing::TestWithParam<Setting> {
protected:
    void SetUp() override
    {
        {
            SqliteDatabase db(path().toStdString());
            db.withCollation();
            if (!GetParam().wal) {
                ASSERT_EQ(db.exec("PRAGMA journal_mode=DELETE"), SQLITE_OK) << db.error();
            }
            ASSERT_EQ(db.exec("INSERT INTO tab(fam, im, ot, tele, ul, dom, domd, kv) "
                              "VALUES('Известный', 'Иван', 'Ильич', '4957654321', 'Ленина', 3, '', 7)"),
                      SQLITE_OK)
                << db.error();
        }
        QFile::setPermissions(path(), GetParam().fileReadOnly ? kEverybody : kWritable);
        QFile::setPermissions(scratch.path(), (GetParam().folderReadOnly ? kEverybody : kWritable) | kEnterable);
        before = fileBytes(path());
    }

    void TearDown() override
    {
        QFile::setPermissions(scratch.path(), kWritable | kEnterable | QFile::ExeUser | QFile::WriteUser);
    }

    QString path() const { return scratch.history(); }
    // Nothing was written: not to the file, and nothing waits in a log beside it.
    void expectUnchanged() const
    {
        EXPECT_EQ(fileBytes(path()), before);
        EXPECT_EQ(QFileInfo(path() + u"-wal"_s).size(), 0);
    }

    ScratchFolder scratch{ScratchFolder::HistoryDat};
    QByteArray before;
};

std::string settingName(const ::testing::TestParamInfo<Setting> &info)
{
    return info.param.name;
}

} // namespace

TEST_P(ReadOnlyDirectoryFile, LookupFindsTheStoredEntry)
{
    {
        UnprivilegedAccess asUser;
        store::Connection connection(path());
        store::QueryChannel channel(connection);
        channel.run(uR"(select * from tab where fam="известный")"_s);
        EXPECT_EQ(channel.count(), 1);
        EXPECT_EQ(channel.text(u"tele"_s), u"4957654321"_s);
    }
    expectUnchanged();
}

TEST_P(ReadOnlyDirectoryFile, WriteSaysTheFileIsReadOnlyAndNothingWasStored)
{
    QString error;
    {
        UnprivilegedAccess asUser;
        store::Connection connection(path());
        store::QueryChannel channel(connection);
        error = failureOf([&] { channel.exec(uR"(insert into tab(fam) values("Новиков"))"_s); });
    }
    EXPECT_TRUE(error.startsWith(u"Файл history.dat открыт только для чтения: ничего не сохранено"_s))
        << error.toStdString();
    expectUnchanged();
}

INSTANTIATE_TEST_SUITE_P(Each, ReadOnlyDirectoryFile, ::testing::ValuesIn(kSettings), settingName);

TEST(ReadOnlyFolder, ChangesLeftInTheLogAreNotSkippedSilently)
{
    ScratchFolder original{ScratchFolder::HistoryDat};
    ScratchFolder copy{ScratchFolder::HistoryDat};
    {
        // A program that has written and not yet closed the file leaves the change in the log.
        SqliteDatabase writer(original.history().toStdString());
        writer.withCollation();
        ASSERT_EQ(writer.exec("PRAGMA wal_autocheckpoint=0; INSERT INTO tab(fam) VALUES('Последний')"), SQLITE_OK);
        for (const QString &suffix : {QString(), u"-wal"_s}) {
            QFile::remove(copy.history() + suffix);
            ASSERT_TRUE(QFile::copy(original.history() + suffix, copy.history() + suffix));
        }
    }
    ASSERT_GT(QFileInfo(copy.history() + u"-wal"_s).size(), 0);
    QFile::setPermissions(copy.history(), kWritable);
    QFile::setPermissions(copy.history() + u"-wal"_s, kWritable);
    QFile::setPermissions(copy.path(), kEverybody | kEnterable);
    QString error;
    {
        UnprivilegedAccess asUser;
        store::Connection connection(copy.history());
        error = failureOf([&] { connection.connect(); });
    }
    QFile::setPermissions(copy.path(), kWritable | kEnterable);
    EXPECT_TRUE(error.contains(u"history.dat-wal"_s)) << error.toStdString();
}

TEST(OpenDatabaseFile, NeverCreatesAMissingFile)
{
    ScratchFolder scratch{ScratchFolder::HistoryDat};
    const QString missing = scratch.path() + u"/missing.dat"_s;
    EXPECT_THROW(store::openDatabaseFile(missing, SQLITE_OPEN_READONLY), store::StoreError);
    EXPECT_THROW(store::openDatabaseFile(missing, SQLITE_OPEN_READWRITE), store::StoreError);
    EXPECT_FALSE(QFileInfo::exists(missing));
}
