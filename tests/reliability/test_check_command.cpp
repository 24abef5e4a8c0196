// zelvik-cli check: SQLite's integrity check with the program's collation, for an administrator and
// for the other reliability tests. "ok" and status 0, or the problems and status 2; never a change.
#include "tests/reliability/badfiles.h"
#include "tests/reliability/cliprocess.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/storereading.h"

#include "store/connection.h"
#include "store/querychannel.h"
#include "store/sqlite/sqlitehandle.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstring>

namespace {

constexpr int kProblems = 2;

CliRun check(const ScratchFolder &folder, const QStringList &args = {}, RunAs as = RunAs::CurrentUser)
{
    return runCli(folder.path(), QStringList{QStringLiteral("check")} + args, as);
}

// Orders texts backwards: an index built with it is out of order for the real collation.
int backwards(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const int common = std::min(lengthA, lengthB);
    const int c = std::memcmp(b, a, size_t(common));
    return c != 0 ? c : lengthB - lengthA;
}

void insertWithCollation(const QString &file, int (*compare)(void *, int, const void *, int, const void *))
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const store::SqliteHandle handle(db);
    ASSERT_EQ(rc, SQLITE_OK);
    sqlite3_create_collation_v2(db, "RU_NOCASE", SQLITE_UTF8, nullptr, compare, nullptr);
    EXPECT_EQ(sqlite3_exec(db,
                           "INSERT INTO tab(fam, im, ot, tele, ul, dom, domd, kv) VALUES"
                           "('Аверин','Иван','Ильич','1','Ленина',1,'',1),"
                           "('Борисов','Иван','Ильич','2','Ленина',1,'',1),"
                           "('Власов','Иван','Ильич','3','Ленина',1,'',1),"
                           "('Гусев','Иван','Ильич','4','Ленина',1,'',1)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
}

} // namespace

TEST(CheckCommand, NewFileIsOk)
{
    ScratchFolder folder;
    const std::string before = storereading::stateOf(folder.history());
    const CliRun run = check(folder);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("ok\n"));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(storereading::stateOf(folder.history()), before) << "check wrote to the file";
}

TEST(CheckCommand, EntriesInEveryLetterCaseAreOkWithTheProgramsCollation)
{
    // The indexes on fam order these by the program's own collation; a check without it could not
    // even read them.
    ScratchFolder folder;
    store::Connection connection(folder.history());
    store::QueryChannel channel(connection);
    for (const char16_t *fam : {u"иванов", u"Иванов", u"ИВАНОВ", u"ёлкин", u"Ёлкин", u"Elkin", u"elkin"})
        channel.exec(QStringLiteral("insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values(\"%1\",\"И\",\"О\",\"1\",\"У\",1,\"\",1)")
                         .arg(QString::fromUtf16(fam)));
    // The connection stays open, so the rows are still in the write-ahead log: check reads them there.
    const CliRun run = check(folder);
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("ok\n"));
}

TEST(CheckCommand, IndexBuiltInAnotherOrderIsReported)
{
    ScratchFolder folder;
    insertWithCollation(folder.history(), backwards);
    const CliRun run = check(folder);
    EXPECT_EQ(run.exitCode, kProblems);
    EXPECT_NE(run.out, QStringLiteral("ok\n"));
    EXPECT_TRUE(run.out.contains(QStringLiteral("tab_fam"))) << run.out.toStdString();
}

TEST(CheckCommand, DamagedPagesAreReported)
{
    ScratchFolder folder;
    damagePages(folder);
    const std::string before = storereading::stateOf(folder.history());

    const CliRun run = check(folder);
    EXPECT_EQ(run.exitCode, kProblems);
    EXPECT_FALSE(run.out.startsWith(QStringLiteral("ok"))) << run.out.toStdString();
    EXPECT_FALSE((run.out + run.err).trimmed().isEmpty());
    EXPECT_EQ(storereading::stateOf(folder.history()), before);
}

TEST(CheckCommand, MissingTablesAndColumnsAreNamed)
{
    ScratchFolder folder;
    alter(folder.history(), "DROP TABLE im2; DROP INDEX tab_fam; DROP INDEX tab_tele; ALTER TABLE tab DROP COLUMN kv");
    const CliRun run = check(folder);
    EXPECT_EQ(run.exitCode, kProblems);
    EXPECT_TRUE(run.outLines().contains(QStringLiteral("table im2 is missing"))) << run.out.toStdString();
    EXPECT_TRUE(run.outLines().contains(QStringLiteral("table tab has no column kv"))) << run.out.toStdString();
}

TEST(CheckCommand, UnsetNumberingSchemeIsReported)
{
    // tel counts only for numbers of a fixed length (s = 0), where it is their length.
    for (const char *change : {"UPDATE param SET s = NULL", "UPDATE param SET s = 0, tel = NULL",
                               "UPDATE param SET s = 0, tel = 0", "UPDATE param SET s = 0, tel = 7495123456"}) {
        ScratchFolder folder;
        alter(folder.history(), change);
        const CliRun run = check(folder);
        EXPECT_EQ(run.exitCode, kProblems) << change;
        EXPECT_TRUE(run.out.contains(QStringLiteral("param"))) << run.out.toStdString();
    }
    ScratchFolder folder;
    alter(folder.history(), "UPDATE param SET s = 1, tel = NULL");
    EXPECT_EQ(check(folder).out, QStringLiteral("ok\n"));
}

TEST(CheckCommand, ReferenceTablesLackingPickedIdsAreWarnedAbout)
{
    ScratchFolder folder;
    // Ids beyond what the picks draw from are no gap; prefixes count from 1 to how many there are.
    alter(folder.history(), "DELETE FROM fam WHERE id = 3 OR id >= 10; DELETE FROM im2; INSERT INTO ul(id, ul) VALUES(60, 'Новая');"
                            "UPDATE tel SET id = id + 100");
    const CliRun run = check(folder);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.outLines();
    ASSERT_EQ(lines.size(), 4) << run.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("ok"));
    const QString warning = QStringLiteral("warning: table %1 lacks ids %2 that invented entries pick from; those picks store an empty text");
    EXPECT_EQ(lines[1], warning.arg(QStringLiteral("fam"), QStringLiteral("3, 10-58")));
    EXPECT_EQ(lines[2], warning.arg(QStringLiteral("im2"), QStringLiteral("1-23")));
    EXPECT_EQ(lines[3], warning.arg(QStringLiteral("tel"), QStringLiteral("1-12")));
}

TEST(CheckCommand, FileThatIsNoDatabaseIsNamedOnStandardError)
{
    ScratchFolder folder;
    folder.write(QStringLiteral("history.dat"), QByteArray(8192, 'x'));
    const CliRun run = check(folder);
    EXPECT_EQ(run.exitCode, kProblems);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("history.dat"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("not a database"))) << run.err.toStdString();
}

TEST(CheckCommand, MissingFileOrDirectoryIsNamed)
{
    ScratchFolder folder(ScratchFolder::Nothing);
    CliRun run = check(folder);
    EXPECT_EQ(run.exitCode, kProblems);
    EXPECT_TRUE(run.err.contains(QStringLiteral("history.dat"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.history())) << "check created the file";

    QDir(folder.path()).mkdir(QStringLiteral("history.dat"));
    run = check(folder);
    EXPECT_EQ(run.exitCode, kProblems);
    EXPECT_TRUE(run.err.contains(QStringLiteral("history.dat"))) << run.err.toStdString();
}

TEST(CheckCommand, ChecksTheFileNamed)
{
    ScratchFolder folder(ScratchFolder::Nothing);
    ScratchFolder other;
    const CliRun run = check(folder, {other.history()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("ok\n"));
    EXPECT_EQ(check(folder, {other.history(), other.history()}).exitCode, 1);
}

TEST(CheckCommand, NeverChangesAnUnusableFile)
{
    for (const BadHistory &bad : badHistories()) {
        SCOPED_TRACE(bad.name.toStdString());
        ScratchFolder folder;
        bad.spoil(folder);
        const std::string before = storereading::stateOf(folder.history());
        const CliRun run = check(folder);
        EXPECT_TRUE(run.finishedNormally);
        EXPECT_EQ(run.exitCode, kProblems) << run.out.toStdString();
        EXPECT_FALSE((run.out + run.err).trimmed().isEmpty());
        EXPECT_EQ(storereading::stateOf(folder.history()), before);
    }
}

TEST(CheckCommand, ReadOnlyFileInReadOnlyFolderIsChecked)
{
    ScratchFolder folder;
    alter(folder.history(), "PRAGMA journal_mode=WAL"); // as every file the program has used
    folder.setMode(QStringLiteral("history.dat"), ScratchFolder::readOnly());
    folder.setFolderMode(ScratchFolder::readOnlyFolder());
    const CliRun run = check(folder, {}, RunAs::Unprivileged);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("ok\n"));
}

// The folder as it was found: no log or index of a WAL file is left beside the file checked, nor
// beside a backup checked by name.
TEST(CheckCommand, LeavesNothingBehind)
{
    ScratchFolder folder;
    alter(folder.history(), "PRAGMA journal_mode=WAL"); // as every file the program has used
    ASSERT_TRUE(QFile::copy(folder.history(), folder.path(QStringLiteral("backup.dat"))));
    const QStringList before = QDir(folder.path()).entryList(QDir::Files);
    for (const QStringList &args : {QStringList{}, QStringList{QStringLiteral("backup.dat")}}) {
        EXPECT_EQ(check(folder, args).exitCode, 0);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), before);
    }
}
