#include "tests/jet/filebytes.h"
#include "tests/jet/fixtures.h"

#include "tests/support/clirunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CliRun importJet(const QStringList &args, const QString &folder)
{
    return runCli(folder, QStringList{QStringLiteral("import-jet")} + args);
}

TEST(CliImportJet, WritesHistoryDatHereAndSummarises)
{
    REQUIRE_FIXTURE("indexTestV2003.mdb");
    QTemporaryDir folder;
    const CliRun run = importJet({fixture("indexTestV2003.mdb")}, folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              QStringLiteral("table\tstored as\trows\n"
                             "Table1\tTable1\t4\n"
                             "Table2\tTable2\t3\n"
                             "Table3\tTable3\t4\n"
                             "history.dat: 3 tables, 11 rows\n"));
    EXPECT_EQ(folderEntries(folder.path()), QStringList{QStringLiteral("history.dat")});
}

TEST(CliImportJet, ExistingStoreIsNeverOverwritten)
{
    REQUIRE_FIXTURE("indexTestV2003.mdb");
    QTemporaryDir folder;
    const QString existing = QDir(folder.path()).filePath(QStringLiteral("mine.dat"));
    ASSERT_TRUE(copyFile(fixture("V2003_with-password.mdb"), existing));
    const QByteArray before = fileDigest(existing);
    const CliRun run = importJet({fixture("indexTestV2003.mdb"), QStringLiteral("--into"), existing}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("уже существует и не перезаписывается"))) << run.err.toStdString();
    EXPECT_EQ(fileDigest(existing), before);
    EXPECT_EQ(folderEntries(folder.path()), QStringList{QStringLiteral("mine.dat")});
}

TEST(CliImportJet, FailsAndLeavesNothingOnHangDamagedFile)
{
    REQUIRE_FIXTURE("hang-damaged.mdb");
    QTemporaryDir folder;
    const CliRun run = importJet({fixture("hang-damaged.mdb"), QStringLiteral("--into=new.dat")}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("остановлена"))) << run.err.toStdString();
    EXPECT_EQ(folderEntries(folder.path()), QStringList());
}

TEST(CliImportJet, MissingSourceIsAUsageError)
{
    QTemporaryDir folder;
    const CliRun run = importJet({}, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("usage: zelvik-cli import-jet SOURCE [--into FILE]")));
}

} // namespace
