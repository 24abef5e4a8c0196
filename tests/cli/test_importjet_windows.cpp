// The Windows build reads no Jet file: import-jet says so in one sentence, with the way through the
// Linux build, and leaves no file behind.
#include "tests/support/clirunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CliImportJet, SaysThisBuildReadsNoJetFileAndHowToConvertOne)
{
    QTemporaryDir scratch;
    QFile source(scratch.filePath(u"old.mdb"_s));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.close();
    const CliRun run = runCli(scratch.path(), {u"import-jet"_s, u"old.mdb"_s});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.trimmed(), u"не удаётся прочитать old.mdb: эта сборка Zelvik не читает файлы Jet, преобразуйте файл "
                                 u"сборкой для Linux командой «zelvik-cli import-jet ФАЙЛ --into history.dat» и "
                                 u"перенесите сюда полученный history.dat"_s);
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"old.mdb"_s});
}
