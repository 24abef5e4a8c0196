// conf.cfg that cannot be read: every command that works on the folder's store says so in the
// window's words and stops, since it cannot know which store the folder uses; none quietly falls
// back to history.dat.
#include "tests/reliability/cliprocess.h"
#include "tests/reliability/printing.h"
#include "tests/reliability/storereading.h"
#include "tests/support/scratchfolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kUnreadable = QStringLiteral("Не удалось прочитать файл conf.cfg: ");

class UnreadableConfCfg : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A server that would fail at once if it were tried: the command must not get that far.
        folder.write(QStringLiteral("conf.cfg"), "bd=Москва\nserver=host=/nonexistent port=9 dbname=office\n");
        folder.setMode(QStringLiteral("conf.cfg"), {});
        before = storereading::stateOf(folder.history());
    }

    CliRun run(const QStringList &args) { return runCli(folder.path(), args, RunAs::Unprivileged); }

    ScratchFolder folder;
    std::string before;
};

} // namespace

TEST_F(UnreadableConfCfg, FindSaysSoAndRunsNoSearch)
{
    const CliRun find = run({QStringLiteral("find"), QStringLiteral("--surname"), QStringLiteral("Иванов")});
    EXPECT_EQ(find.exitCode, 3) << find.err.toStdString();
    EXPECT_TRUE(find.err.startsWith(kUnreadable)) << find.err.toStdString();
    EXPECT_EQ(find.err.count(QLatin1Char('\n')), 1) << find.err.toStdString();
    EXPECT_TRUE(find.out.isEmpty()) << find.out.toStdString();
    EXPECT_EQ(storereading::stateOf(folder.history()), before);
}

TEST_F(UnreadableConfCfg, EveryCommandOnTheStoreStops)
{
    QFile csv(folder.path(QStringLiteral("rows.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("fam,im\nНовиков,Пётр\n");
    csv.close();
    const QList<QStringList> commands{
        {QStringLiteral("sql"), QStringLiteral("select count(*) as m from tab")},
        {QStringLiteral("export")},
        {QStringLiteral("import-csv"), folder.path(QStringLiteral("rows.csv"))},
        {QStringLiteral("check")},
    };
    for (const QStringList &args : commands) {
        const CliRun command = run(args);
        EXPECT_EQ(command.exitCode, 2) << args.first().toStdString() << ": " << command.err.toStdString();
        EXPECT_TRUE(command.err.startsWith(kUnreadable)) << args.first().toStdString() << ": " << command.err.toStdString();
        EXPECT_TRUE(command.out.isEmpty()) << args.first().toStdString() << ": " << command.out.toStdString();
    }
    EXPECT_EQ(storereading::stateOf(folder.history()), before);
}

TEST(ConfCfgThatFailsToRead, CheckOfANamedFileDoesNotNeedIt)
{
    // The file named on the command line is checked whatever the folder's store is. Reading this
    // link always fails, even for root.
    ScratchFolder folder;
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), folder.path(QStringLiteral("conf.cfg"))));
    const CliRun check = runCli(folder.path(), {QStringLiteral("check"), QStringLiteral("history.dat")}, RunAs::CurrentUser);
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_EQ(check.firstLine(), QStringLiteral("ok")) << check.out.toStdString();

    const CliRun find = runCli(folder.path(), {QStringLiteral("find"), QStringLiteral("--surname"), QStringLiteral("Иванов")},
                               RunAs::CurrentUser);
    EXPECT_EQ(find.exitCode, 3) << find.err.toStdString();
    EXPECT_TRUE(find.err.startsWith(QStringLiteral("Не удалось прочитать файл conf.cfg: "))) << find.err.toStdString();
}
