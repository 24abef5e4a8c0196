// db.dat only has to be there: zelvik-cli never reads it, so an unreadable one does not matter, and
// a named pipe in its place never makes it wait.
#include "tests/reliability/cliprocess.h"
#include "tests/reliability/pipewatcher.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(DataFilesCli, UnreadableDbDatIsNeverRead)
{
    ScratchFolder folder;
    folder.setMode(QStringLiteral("db.dat"), {});
    const CliRun run = runCli(folder.path(), {QStringLiteral("find"), QStringLiteral("--surname"), QStringLiteral("Иванов")},
                              RunAs::Unprivileged);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.firstLine().startsWith(QStringLiteral("Найдено: "))) << run.out.toStdString();
}

TEST(DataFilesCli, DbDatThatIsAPipeIsNeverOpened)
{
    ScratchFolder folder;
    QFile::remove(folder.path(QStringLiteral("db.dat")));
    makePipe(folder.path(QStringLiteral("db.dat")));
    PipeWatcher watcher(folder.path(QStringLiteral("db.dat")));
    const CliRun run = runCli(folder.path(), {QStringLiteral("find"), QStringLiteral("--surname"), QStringLiteral("Иванов")});
    EXPECT_TRUE(run.finishedNormally);
    EXPECT_FALSE(watcher.releasedAReader()) << "zelvik-cli waited for someone to write db.dat";
}
