// history.dat that may be read but not written: a read-only file, a file in a read-only folder, or
// both. Lookups that find entries still answer; a lookup that would invent entries says that it
// cannot store them, and the file stays as it was.
#include "tests/reliability/badfiles.h"
#include "tests/reliability/cliprocess.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/searchnames.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/testsupport.h"
#include "tests/support/seeds.h"

#include <gtest/gtest.h>

namespace {

struct Setting {
    const char *name;
    bool fileReadOnly;
    bool folderReadOnly;
    bool usedBefore; // switched to WAL by an earlier run of the program, as most files are
};

const Setting kSettings[] = {
    {"ReadOnlyFile", true, false, true},
    {"ReadOnlyFolder", false, true, true},
    {"ReadOnlyFileInReadOnlyFolder", true, true, true},
    {"NeverUsedReadOnlyFile", true, false, false},
    {"NeverUsedFileInReadOnlyFolder", false, true, false},
};

void PrintTo(const Setting &setting, std::ostream *os)
{
    *os << setting.name;
}

const QString kKnownSurname = QStringLiteral("Известный");
const QString kKnownPhone = QStringLiteral("4957654321");

class ReadOnlyHistory : public ::testing::TestWithParam<Setting> {
protected:
    void SetUp() override
    {
        const char *entry = "INSERT INTO tab(fam, im, ot, tele, ul, dom, domd, kv) "
                            "VALUES('Известный', 'Иван', 'Ильич', '4957654321', 'Ленина', 3, '', 7)";
        if (GetParam().usedBefore)
            alter(folder.history(), (std::string("PRAGMA journal_mode=WAL; ") + entry).c_str());
        else
            alter(folder.history(), entry);
        if (GetParam().fileReadOnly)
            folder.setMode(QStringLiteral("history.dat"), ScratchFolder::readOnly());
        if (GetParam().folderReadOnly)
            folder.setFolderMode(ScratchFolder::readOnlyFolder());
        before = storereading::stateOf(folder.history());
    }

    CliRun find(const QStringList &args)
    {
        return runCli(folder.path(), QStringList{QStringLiteral("find")} + args, RunAs::Unprivileged);
    }

    ScratchFolder folder;
    std::string before;
};

std::string settingName(const ::testing::TestParamInfo<Setting> &info)
{
    return info.param.name;
}

} // namespace

TEST_P(ReadOnlyHistory, LookupByNameFindsStoredEntries)
{
    const CliRun run = find({QStringLiteral("--surname"), QStringLiteral("известный")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.firstLine(), QStringLiteral("Найдено: 1"));
    EXPECT_EQ(run.outLines().value(1).section(u'\t', 0, 0), kKnownSurname);
    EXPECT_EQ(storereading::stateOf(folder.history()), before);
}

TEST_P(ReadOnlyHistory, LookupByPhoneFindsStoredEntries)
{
    const CliRun run = find({QStringLiteral("--phone"), kKnownPhone});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.firstLine(), QStringLiteral("Абонент найден."));
    EXPECT_EQ(storereading::stateOf(folder.history()), before);
}

TEST_P(ReadOnlyHistory, InventingSaysThatNothingCanBeStored)
{
    const CliRun run = find({QStringLiteral("--surname"), QStringLiteral("Новиков"), QStringLiteral("--seed"),
                             QString::number(seeds::inventing(4))});
    EXPECT_TRUE(run.finishedNormally);
    EXPECT_EQ(run.exitCode, 2) << run.out.toStdString();
    // Which file, and that it cannot be written: the user can then ask for the right permissions.
    EXPECT_TRUE(run.err.contains(QStringLiteral("history.dat"))) << run.err.toStdString();
    EXPECT_TRUE(saysReadOnly(run.err)) << run.err.toStdString();
    EXPECT_EQ(storereading::stateOf(folder.history()), before);
}

TEST_P(ReadOnlyHistory, CheckReadsIt)
{
    const CliRun run = runCli(folder.path(), {QStringLiteral("check")}, RunAs::Unprivileged);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("ok\n"));
    EXPECT_EQ(storereading::stateOf(folder.history()), before);
}

INSTANTIATE_TEST_SUITE_P(Each, ReadOnlyHistory, ::testing::ValuesIn(kSettings), settingName);
