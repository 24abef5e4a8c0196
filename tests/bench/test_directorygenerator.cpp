#include "bench/directorygenerator.h"

#include "store/connection.h"
#include "store/storeerror.h"
#include "store/provisioning/filestorecreation.h"
#include "store/querychannel.h"
#include "bench/rawsqlite.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using bench::RawDatabase;
using bench::RawStatement;

constexpr std::uint64_t kRows = 3000;

// Every row of a query as text, for comparing whole tables between files.
std::vector<std::string> rowsOf(RawDatabase &db, const std::string &sql)
{
    RawStatement query(db.handle(), sql);
    std::vector<std::string> rows;
    while (query.step()) {
        std::string row;
        for (int c = 0; c < query.columnCount(); ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(query.handle(), c));
            row.append(text ? text : "<null>").append("|");
        }
        rows.push_back(row);
    }
    return rows;
}

class DirectoryGeneratorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        bench::generateDirectory(folder->path(), {kRows, 5, {}});
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    static std::string historyPath() { return QDir(folder->path()).filePath(QStringLiteral("history.dat")).toStdString(); }

    static QTemporaryDir *folder;
};

QTemporaryDir *DirectoryGeneratorTest::folder = nullptr;

TEST_F(DirectoryGeneratorTest, WritesBothDataFiles)
{
    EXPECT_TRUE(QFileInfo::exists(folder->filePath(QStringLiteral("history.dat"))));
    EXPECT_TRUE(QFileInfo::exists(folder->filePath(QStringLiteral("db.dat"))));
}

TEST_F(DirectoryGeneratorTest, SchemaAndReferenceTablesAreThoseOfANewDirectoryFile)
{
    QTemporaryDir plainFolder;
    const QString plainPath = plainFolder.filePath(QStringLiteral("history.dat"));
    store::createDirectoryFile(plainPath);
    RawDatabase generated(historyPath()), plain(plainPath.toStdString());

    const std::string schema = "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name";
    EXPECT_EQ(rowsOf(generated, schema), rowsOf(plain, schema));
    for (const char *table : {"fam", "im", "im2", "ot", "ot2", "ul", "tel", "param"}) {
        const std::string all = std::string("SELECT * FROM ") + table + " ORDER BY 1";
        EXPECT_EQ(rowsOf(generated, all), rowsOf(plain, all)) << table;
    }
}

TEST_F(DirectoryGeneratorTest, HoldsTheEntriesWithDistinctPhonesAndSoundIndexes)
{
    RawDatabase db(historyPath());
    EXPECT_EQ(db.integer("SELECT count(*) FROM tab"), std::int64_t(kRows));
    EXPECT_EQ(db.integer("SELECT count(DISTINCT tele) FROM tab"), std::int64_t(kRows));
    EXPECT_EQ(db.integer("SELECT min(id) FROM tab"), 1);
    EXPECT_EQ(db.integer("SELECT max(id) FROM tab"), std::int64_t(kRows));
    EXPECT_EQ(rowsOf(db, "PRAGMA integrity_check"), std::vector<std::string>{"ok|"});
    EXPECT_EQ(rowsOf(db, "PRAGMA journal_mode"), std::vector<std::string>{"wal|"});
}

TEST_F(DirectoryGeneratorTest, TheProgramFindsASurnameTypedInLowerCase)
{
    RawDatabase db(historyPath());
    const std::int64_t stored = db.integer("SELECT count(*) FROM tab WHERE fam = 'Иванов' COLLATE BINARY");
    ASSERT_GT(stored, 0);

    store::Connection connection(QString::fromStdString(historyPath()));
    store::QueryChannel channel(connection);
    channel.run(QStringLiteral("select * from tab where fam=\"иванов\""));
    EXPECT_EQ(channel.count(), stored);
    EXPECT_EQ(channel.text(QStringLiteral("fam")), QStringLiteral("Иванов"));
}

TEST_F(DirectoryGeneratorTest, NeverReplacesAnExistingDirectory)
{
    EXPECT_THROW(bench::generateDirectory(folder->path(), {10, 1, {}}), store::StoreError);
    RawDatabase db(historyPath());
    EXPECT_EQ(db.integer("SELECT count(*) FROM tab"), std::int64_t(kRows));
}

TEST(DirectoryGenerator, ReportsProgressWhileLoading)
{
    QTemporaryDir folder;
    std::vector<std::uint64_t> reported;
    bench::generateDirectory(folder.path(), {100, 1, [&](std::uint64_t rows) { reported.push_back(rows); }, 40});
    EXPECT_EQ(reported, (std::vector<std::uint64_t>{40, 80}));
}

} // namespace
