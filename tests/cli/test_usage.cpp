#include "cli/commands.h"
#include "tests/support/clirunner.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Misuse {
    QStringList args;
    QString named; // what the message has to point at
};

void PrintTo(const Misuse &misuse, std::ostream *out)
{
    *out << misuse.args.join(u' ').toStdString();
}

class UsageErrors : public ::testing::TestWithParam<Misuse> {};

// Nothing is run, nothing printed on standard output; the reason is on standard error.
TEST_P(UsageErrors, ExitOneNamingTheReason)
{
    QTemporaryDir folder;
    const CliRun run = runCli(folder.path(), GetParam().args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(GetParam().named)) << run.err.toStdString();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cli, UsageErrors, ::testing::Values(
    Misuse{{}, u"Usage: zelvik-cli"_s},
    Misuse{{u"frobnicate"_s}, u"frobnicate"_s},
    Misuse{{u"--bogus"_s}, u"--bogus"_s},
    Misuse{{u"find"_s, u"--town"_s, u"Тверь"_s}, u"--town"_s},
    Misuse{{u"find"_s, u"--surname"_s}, u"--surname"_s},
    Misuse{{u"find"_s, u"--seed=-1"_s}, u"--seed"_s},
    Misuse{{u"find"_s, u"stray"_s}, u"stray"_s},
    Misuse{{u"sql"_s}, u"STATEMENT"_s},
    Misuse{{u"sql"_s, u"select 1"_s, u"select 2"_s}, u"select 2"_s},
    Misuse{{u"check"_s, u"a.dat"_s, u"b.dat"_s}, u"b.dat"_s},
    Misuse{{u"init"_s, u"here"_s, u"--directory=there"_s}, u"twice"_s},
    Misuse{{u"import-jet"_s}, u"SOURCE"_s},
    Misuse{{u"import-jet"_s, u"a.mdb"_s, u"--into="_s}, u"--into"_s},
    Misuse{{u"export"_s, u"--format=xml"_s}, u"xml"_s},
    Misuse{{u"export"_s, u"--separator=|"_s}, u"--separator"_s},
    Misuse{{u"export"_s, u"--encoding=koi8-r"_s}, u"koi8-r"_s},
    Misuse{{u"import-csv"_s, u"a.csv"_s, u"--separator=pipe"_s}, u"pipe"_s},
    Misuse{{u"export"_s, u"--table"_s, u"tab; drop table tab"_s}, u"not a table name"_s},
    Misuse{{u"import-csv"_s}, u"FILE"_s},
    Misuse{{u"grant"_s, u"alice"_s, u"boss"_s}, u"boss"_s}));

TEST(Cli, VersionIsTheProjectVersion)
{
    QTemporaryDir folder;
    for (const QString &option : {u"--version"_s, u"-v"_s}) {
        const CliRun run = runCli(folder.path(), {option});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, u"zelvik-cli 1.4.0\n"_s);
    }
}

// Every command's help comes from its declared options, on standard output, with status 0.
TEST(Cli, EveryCommandHasItsOwnHelp)
{
    QTemporaryDir folder;
    const CliRun overall = runCli(folder.path(), {u"--help"_s});
    EXPECT_EQ(overall.exitCode, 0);
    for (const QString &command : {u"init"_s, u"sql"_s, u"find"_s, u"check"_s, u"import-jet"_s, u"export"_s, u"import-csv"_s}) {
        EXPECT_TRUE(overall.out.contains(u"zelvik-cli "_s + command + u' ')) << command.toStdString();
        const CliRun run = runCli(folder.path(), {command, u"--help"_s});
        EXPECT_EQ(run.exitCode, 0) << command.toStdString();
        EXPECT_TRUE(run.out.startsWith(u"Usage: zelvik-cli "_s + command + u' ')) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(u"--help"_s));
    }
    EXPECT_TRUE(runCli(folder.path(), {u"find"_s, u"--help"_s}).out.contains(u"--surname TEXT"_s));
}

// The arguments as bytes, which QProcess (taking text) cannot pass: the child starts zelvik-cli with
// them itself.
CliRun runWithBytes(const QString &folder, const QList<QByteArray> &args)
{
    const QByteArray program = cliProgram().toLocal8Bit();
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    for (const QByteArray &arg : args)
        argv.push_back(const_cast<char *>(arg.constData()));
    argv.push_back(nullptr);
    return runCli(folder, {}, {cliProgram(), [&argv] { ::execv(argv[0], argv.data()); }});
}

// An argument that is not UTF-8 would arrive with U+FFFD for its bytes: it is refused, by its
// position, before anything runs, wherever it stands.
TEST(Cli, ArgumentsThatAreNotUtf8AreRefusedNamingThem)
{
    const struct {
        QList<QByteArray> args;
        QString named;
    } cases[] = {
        {{"sql", "insert into tab(fam) values(\"\xC0\xFF\")"}, u"argument 2, \"insert into tab(fam) values(\"\\xC0\\xFF\")\""_s},
        {{"find", "--surname", "\xD0\x98\xD0"}, u"argument 3, \"И\\xD0\""_s},
        {{"find", "--surname=\xE9"}, u"argument 2"_s},
        {{"\xFF"}, u"zelvik-cli: argument 1"_s},
    };
    for (const auto &[args, named] : cases) {
        QTemporaryDir folder;
        const CliRun run = runWithBytes(folder.path(), args);
        EXPECT_EQ(run.exitCode, 1) << named.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(named)) << run.err.toStdString();
        EXPECT_TRUE(QDir(folder.path()).isEmpty());
    }
}

// No line of a help, nor of the manual page made from it, stops on a word that needs another after
// it: a sentence cut short.
class HelpText : public ::testing::TestWithParam<std::string> {};

TEST_P(HelpText, NoLineEndsMidSentence)
{
    static const QStringList needsMore = {u"a"_s,    u"an"_s,   u"the"_s,  u"of"_s,    u"to"_s,   u"for"_s,
                                          u"and"_s,  u"or"_s,   u"with"_s, u"in"_s,    u"on"_s,   u"by"_s,
                                          u"from"_s, u"as"_s,   u"its"_s,  u"their"_s, u"than"_s, u"into"_s,
                                          u"is"_s,   u"that"_s, u"which"_s};
    QTemporaryDir folder;
    const QString command = QString::fromStdString(GetParam());
    const CliRun run = runCli(folder.path(), command.isEmpty() ? QStringList{u"--help"_s} : QStringList{command, u"--help"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const QString &line : run.outLines()) {
        const QString last = line.trimmed().section(u' ', -1).toLower();
        EXPECT_FALSE(last.endsWith(u"'s"_s) || last.endsWith(u',') || last.endsWith(u';') || needsMore.contains(last))
            << line.toStdString();
    }
}

std::vector<std::string> helpedWords()
{
    std::vector<std::string> words{std::string()};
    for (const std::unique_ptr<cli::Command> &command : cli::commands())
        words.push_back(command->name().toStdString());
    return words;
}

INSTANTIATE_TEST_SUITE_P(Cli, HelpText, ::testing::ValuesIn(helpedWords()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             std::string name = info.param.empty() ? "Program" : info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The folder is given the same way to every command that works on one, in either spelling.
class DirectoryOption : public ::testing::TestWithParam<bool> {
protected:
    QStringList directory() const
    {
        return GetParam() ? QStringList{u"--directory=sub dir"_s} : QStringList{u"--directory"_s, u"sub dir"_s};
    }
    CliRun cli(const QString &command, const QStringList &rest = {}) const
    {
        return runCli(folder.path(), QStringList{command} + directory() + rest);
    }

    QTemporaryDir folder;
};

TEST_P(DirectoryOption, EveryCommandWorksInTheNamedFolder)
{
    ASSERT_EQ(cli(u"init"_s).exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(u"sub dir/history.dat"_s)));
    EXPECT_EQ(cli(u"sql"_s, {u"select fam from fam where id = 1"_s}).out, u"fam\nИванов\n"_s);
    const CliRun found = cli(u"find"_s, {u"--surname=иванов"_s, u"--seed=7"_s});
    EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
    EXPECT_GT(found.outLines().size(), 1);
    EXPECT_EQ(cli(u"check"_s).out, u"ok\n"_s);
    EXPECT_EQ(cli(u"check"_s, {u"history.dat"_s}).out, u"ok\n"_s);
    // Not the current folder.
    EXPECT_EQ(runCli(folder.path(), {u"check"_s}).exitCode, 2);
    EXPECT_EQ(cli(u"find"_s, {u"--directory=absent"_s}).exitCode, 3);
}

INSTANTIATE_TEST_SUITE_P(Cli, DirectoryOption, ::testing::Bool());

} // namespace
