// Whatever a command prints arrives whole, or the command fails saying so: standard output on a full
// disk, or a pipe whose reader has gone, ends every command with exit 2 and the reason.
#include "tests/server/testdirectory.h"
#include "tests/support/clirunner.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sstream>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

enum class Sink { FullDisk, ClosedPipe };

struct Case {
    StoreKind store;
    Sink sink;
};

std::ostream &operator<<(std::ostream &out, const Case &c)
{
    return out << c.store << (c.sink == Sink::FullDisk ? "FullDisk" : "ClosedPipe");
}

// Standard output of the command: /dev/full, or a pipe whose read end is closed before it starts.
class BrokenOutput {
public:
    explicit BrokenOutput(Sink sink)
    {
        if (sink == Sink::FullDisk) {
            m_fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        } else {
            int ends[2];
            if (::pipe2(ends, O_CLOEXEC) == 0) {
                ::close(ends[0]);
                m_fd = ends[1];
            }
        }
    }
    ~BrokenOutput()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    BrokenOutput(const BrokenOutput &) = delete;
    BrokenOutput &operator=(const BrokenOutput &) = delete;

    CliLaunch launch() const
    {
        const int fd = m_fd;
        return {cliProgram(), [fd] { ::dup2(fd, STDOUT_FILENO); }};
    }
    bool ready() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

class OutputFailure : public ::testing::TestWithParam<Case> {
protected:
    TestDirectory directory{GetParam().store};
};

TEST_P(OutputFailure, EndsEveryCommandWithTheReason)
{
    QFile csv(directory.folder() + u"/rows.csv"_s);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly) && csv.write("fam\nКотов\n") > 0);
    csv.close();
    const bool server = GetParam().store == StoreKind::Server;
    const QString source = server ? directory.server() : directory.historyPath();
    QList<QStringList> commands = {
        {u"--help"_s},
        {u"--version"_s},
        {u"help"_s, u"export"_s},
        {u"sql"_s, u"select * from tab"_s},
        {u"find"_s, u"--surname"_s, u"Котов"_s},
        {u"check"_s},
        {u"export"_s},
        {u"import-csv"_s, u"rows.csv"_s},
        {u"copy"_s, source, u"backup.dat"_s},
        {u"init"_s, u"made"_s},
    };
    if (server)
        commands.append({u"changes"_s});
    for (const QStringList &args : commands) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const BrokenOutput output(GetParam().sink);
        ASSERT_TRUE(output.ready());
        const CliRun run = runCli(directory.folder(), args, output.launch());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(u"cannot write to standard output"_s)) << run.err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(, OutputFailure,
                         ::testing::Values(Case{StoreKind::File, Sink::FullDisk}, Case{StoreKind::File, Sink::ClosedPipe},
                                           Case{StoreKind::Server, Sink::FullDisk},
                                           Case{StoreKind::Server, Sink::ClosedPipe}),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             std::ostringstream name;
                             name << info.param;
                             return name.str();
                         });

} // namespace
