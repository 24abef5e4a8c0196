#include "bench/benchdirectory.h"

#include "bench/directorygenerator.h"
#include "bench/rawsqlite.h"

#include <QTemporaryDir>

#include <stdexcept>

#include <gtest/gtest.h>

namespace {

using bench::RawDatabase;
using bench::RawStatement;

// Entries whose surname is exactly this text, letter case included.
std::int64_t exactly(RawDatabase &db, const char *column, const std::string &value)
{
    RawStatement count(db.handle(), std::string("SELECT count(*) FROM tab WHERE ") + column + " = ? COLLATE BINARY");
    count.bindText(1, value);
    count.step();
    return sqlite3_column_int64(count.handle(), 0);
}

class BenchDirectoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        bench::generateDirectory(folder->path(), {kRows, 11, {}});
        directory = new bench::BenchDirectory(bench::openBenchDirectory(folder->path()));
    }
    static void TearDownTestSuite()
    {
        delete directory;
        delete folder;
    }

    static constexpr std::uint64_t kRows = 20'000;
    static QTemporaryDir *folder;
    static bench::BenchDirectory *directory;
};

QTemporaryDir *BenchDirectoryTest::folder = nullptr;
bench::BenchDirectory *BenchDirectoryTest::directory = nullptr;

TEST_F(BenchDirectoryTest, CountsTheEntries)
{
    EXPECT_EQ(directory->entries, std::int64_t(kRows));
}

TEST_F(BenchDirectoryTest, TheRareSurnameIsTypedInLowerCaseAndFoundOneToTenTimes)
{
    const QString typed = directory->rareSurnameText();
    EXPECT_EQ(typed, typed.toLower());
    EXPECT_GE(directory->rareRows, 1);
    EXPECT_LE(directory->rareRows, 10);
    // Stored capitalised: only the case-blind collation finds it.
    RawDatabase db(directory->historyPath);
    const std::string stored = (typed.left(1).toUpper() + typed.mid(1)).toStdString();
    EXPECT_EQ(exactly(db, "fam", stored), directory->rareRows);
    EXPECT_EQ(exactly(db, "fam", directory->rareSurname), 0);
}

TEST_F(BenchDirectoryTest, TheCommonSurnameIsTheMostFrequentOne)
{
    RawDatabase db(directory->historyPath);
    RawStatement top(db.handle(), "SELECT count(*) AS n FROM tab GROUP BY fam ORDER BY n DESC LIMIT 1");
    ASSERT_TRUE(top.step());
    EXPECT_EQ(directory->commonRows, sqlite3_column_int64(top.handle(), 0));
    EXPECT_GT(directory->commonRows, directory->rareRows);
    EXPECT_EQ(directory->commonSurnameText(), directory->commonSurnameText().toLower());
}

TEST_F(BenchDirectoryTest, ThePhoneBelongsToExactlyOneEntry)
{
    RawDatabase db(directory->historyPath);
    EXPECT_EQ(directory->phone.size(), 10u);
    EXPECT_EQ(exactly(db, "tele", directory->phone), 1);
}

TEST(BenchDirectory, AFolderWithoutDirectoryIsRefused)
{
    QTemporaryDir empty;
    EXPECT_THROW(bench::openBenchDirectory(empty.path()), std::runtime_error);
}

} // namespace
