// Every command of zelvik-cli on a history.dat that cannot serve: a message on standard error, a
// status that is not 0, no crash, no hang, and the file exactly as it was.
#include "tests/reliability/badfiles.h"
#include "tests/reliability/cliprocess.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/searchnames.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/testsupport.h"
#include "tests/support/seeds.h"

#include <gtest/gtest.h>

namespace {

// What the message about each file must name, so that the user knows what to mend.
QString expectedMention(const QString &badName)
{
    static const QList<std::pair<QString, QString>> mentions = {
        {QStringLiteral("missing table tab"), QStringLiteral("tab")},
        {QStringLiteral("another program's SQLite file"), QStringLiteral("tab")},
        {QStringLiteral("missing table im2"), QStringLiteral("im2")},
        {QStringLiteral("missing column kv"), QStringLiteral("kv")},
        {QStringLiteral("empty param"), QStringLiteral("param")},
        {QStringLiteral("param without s"), QStringLiteral("param")},
    };
    for (const auto &[name, mention] : mentions)
        if (name == badName)
            return mention;
    return QStringLiteral("history.dat");
}

class BadHistoryCli : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        bad = badHistories().at(GetParam());
        bad.spoil(folder);
        before = storereading::stateOf(folder.history());
    }

    CliRun cli(const QStringList &args) { return runCli(folder.path(), args); }

    // A run that failed as the user should see it fail, and left the file alone. The message is on
    // standard error, except for check, whose findings are its output.
    void expectRefused(const CliRun &run, const char *what, bool findingsOnOutput = false)
    {
        SCOPED_TRACE(what);
        EXPECT_TRUE(run.finishedNormally) << "crashed";
        EXPECT_NE(run.exitCode, 0) << run.out.toStdString();
        const QString message = findingsOnOutput ? run.out + run.err : run.err;
        EXPECT_FALSE(message.trimmed().isEmpty()) << "no message";
        EXPECT_FALSE(run.err.contains(QStringLiteral("terminate"))) << run.err.toStdString();
        EXPECT_EQ(storereading::stateOf(folder.history()), before) << "the file was changed";
    }

    ScratchFolder folder;
    BadHistory bad;
    std::string before;
};

std::string testName(const ::testing::TestParamInfo<int> &info)
{
    return testNameFrom(badHistories().at(info.param).name);
}

} // namespace

TEST_P(BadHistoryCli, SearchThatWouldInventIsRefusedWithAMessage)
{
    // A female surname, so that the female tables are read as well, and a seed that invents four.
    const CliRun run = cli({QStringLiteral("find"), QStringLiteral("--surname"), QStringLiteral("Петрова"),
                            QStringLiteral("--seed"), QString::number(seeds::inventing(4))});
    expectRefused(run, "find by surname");
    if (bad.countsAsMissing) {
        EXPECT_EQ(run.err.trimmed(), QStringLiteral("Файл привязок history.dat не найден!"));
        EXPECT_EQ(run.exitCode, 3);
    } else {
        EXPECT_TRUE(run.err.contains(expectedMention(bad.name))) << run.err.toStdString();
    }
}

TEST_P(BadHistoryCli, SearchByPhoneIsRefusedWithAMessage)
{
    const CliRun run = cli({QStringLiteral("find"), QStringLiteral("--phone"), QStringLiteral("9161234567"),
                            QStringLiteral("--seed"), QString::number(seeds::inventingAWoman())});
    expectRefused(run, "find by phone");
}

TEST_P(BadHistoryCli, CheckReportsIt)
{
    const CliRun run = cli({QStringLiteral("check")});
    expectRefused(run, "check", true);
    EXPECT_EQ(run.exitCode, 2);
}

TEST_P(BadHistoryCli, StatementFailsOrAnswersWithoutChangingTheFile)
{
    const CliRun run = cli({QStringLiteral("sql"), QStringLiteral("select count(*) as m from tab")});
    EXPECT_TRUE(run.finishedNormally);
    if (run.exitCode != 0) {
        EXPECT_FALSE(run.err.trimmed().isEmpty());
    }
    EXPECT_EQ(storereading::stateOf(folder.history()), before) << "the file was changed";
}

INSTANTIATE_TEST_SUITE_P(EachBadFile, BadHistoryCli, ::testing::Range(0, int(badHistories().size())), testName);
