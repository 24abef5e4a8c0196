#include "tests/support/clirunner.h"
#include "text/cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class Init : public ::testing::Test {
protected:
    QString at(const QString &name) const { return folder.filePath(name); }
    QStringList entries(const QString &sub = u"."_s) const
    {
        return QDir(at(sub)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QByteArray contents(const QString &name) const
    {
        QFile f(at(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(at(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(Init, CreatesTheDataFilesInANewFolder)
{
    const CliRun run = runCli(folder.path(), {u"init"_s, u"new/place"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(entries(u"new/place"_s), QStringList({u"db.dat"_s, u"history.dat"_s}));
    EXPECT_EQ(QFileInfo(at(u"new/place/db.dat"_s)).size(), 0);
    EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(Init, UsesTheCurrentFolderByDefault)
{
    ASSERT_EQ(runCli(folder.path(), {u"init"_s}).exitCode, 0);
    EXPECT_EQ(entries(), QStringList({u"db.dat"_s, u"history.dat"_s}));
}

TEST_F(Init, NewDirectoryFileAnswersLookupsAtOnce)
{
    ASSERT_EQ(runCli(folder.path(), {u"init"_s}).exitCode, 0);
    const CliRun run = runCli(folder.path(), {u"sql"_s, u"select count(*) as m from fam"_s});
    EXPECT_EQ(run.out, u"m\n58\n"_s);
}

TEST_F(Init, RegionGoesIntoConfInWindows1251)
{
    const CliRun run = runCli(folder.path(), {u"init"_s, u"--region"_s, u"Москва"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(contents(u"conf.cfg"_s), "bd=" + *cp1251::encode(u"Москва"_s) + "\n");
}

TEST_F(Init, RegionAlsoTakesTheEqualsForm)
{
    ASSERT_EQ(runCli(folder.path(), {u"init"_s, u"--region=Ёлкино"_s, u"d"_s}).exitCode, 0);
    EXPECT_EQ(cp1251::decode(contents(u"d/conf.cfg"_s)), u"bd=Ёлкино\n"_s);
}

TEST_F(Init, RegionOutsideTheCodePageIsRefusedAndNothingIsCreated)
{
    const CliRun run = runCli(folder.path(), {u"init"_s, u"d"_s, u"--region"_s, u"東京"_s});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(Init, NeverOverwritesAnExistingDirectoryFile)
{
    write(u"history.dat"_s, "precious");
    const CliRun run = runCli(folder.path(), {u"init"_s});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(u"history.dat"_s)) << run.err.toStdString();
    EXPECT_EQ(contents(u"history.dat"_s), "precious");
    EXPECT_EQ(entries(), QStringList({u"history.dat"_s})); // db.dat was not made either
}

TEST_F(Init, ExistingMarkerFileStopsEverything)
{
    write(u"db.dat"_s, "x");
    EXPECT_NE(runCli(folder.path(), {u"init"_s}).exitCode, 0);
    EXPECT_EQ(entries(), QStringList({u"db.dat"_s}));
    EXPECT_EQ(contents(u"db.dat"_s), "x");
}

TEST_F(Init, ExistingConfigurationIsKeptWhenARegionIsAsked)
{
    write(u"conf.cfg"_s, "bd=Old");
    EXPECT_NE(runCli(folder.path(), {u"init"_s, u"--region"_s, u"Новый"_s}).exitCode, 0);
    EXPECT_EQ(entries(), QStringList({u"conf.cfg"_s}));
    EXPECT_EQ(contents(u"conf.cfg"_s), "bd=Old");
}

TEST_F(Init, ExistingConfigurationIsLeftAloneWithoutARegion)
{
    write(u"conf.cfg"_s, "bd=Old");
    ASSERT_EQ(runCli(folder.path(), {u"init"_s}).exitCode, 0);
    EXPECT_EQ(contents(u"conf.cfg"_s), "bd=Old");
}

TEST_F(Init, AServerThatCannotBeUsedLeavesNoFolderItMade)
{
    const CliRun run = runCli(folder.path(), {u"init"_s, u"new/office"_s, u"--server"_s, u"host=/nonexistent port=7"_s});
    EXPECT_NE(run.exitCode, 0);
    // The store's words in Russian, and what was not done in the same language.
    EXPECT_TRUE(run.err.endsWith(u"\nНичего не изменено.\n"_s)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(u"nothing"_s)) << run.err.toStdString();
    EXPECT_EQ(entries(), QStringList());
}

TEST_F(Init, WrongArgumentsAreAUsageError)
{
    EXPECT_EQ(runCli(folder.path(), {u"init"_s, u"--bogus"_s}).exitCode, 1);
    EXPECT_EQ(runCli(folder.path(), {u"init"_s, u"a"_s, u"b"_s}).exitCode, 1);
    EXPECT_EQ(runCli(folder.path(), {u"init"_s, u"--region"_s}).exitCode, 1);
    EXPECT_TRUE(entries().isEmpty());
}

TEST(Cli, UnknownOrMissingCommandIsAUsageError)
{
    QTemporaryDir folder;
    const CliRun none = runCli(folder.path(), {});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(u"init"_s) && none.err.contains(u"sql"_s));
    EXPECT_EQ(runCli(folder.path(), {u"frobnicate"_s}).exitCode, 1);
    const CliRun help = runCli(folder.path(), {u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(u"zelvik-cli init"_s));
}
