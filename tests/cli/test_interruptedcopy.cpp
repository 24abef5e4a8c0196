// A copy from a server cut short by a signal or by its connection ending: nothing of the new file is left.
#include "tests/support/clirunner.h"
#include "tests/server/serversession.h"
#include "tests/server/testdirectory.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// How a copy is cut short: a signal (Ctrl+C, a kill, a closed terminal), or 0 for its server
// connection ending under it.
struct Interruption {
    const char *name;
    int signal;
};

std::ostream &operator<<(std::ostream &out, const Interruption &interruption)
{
    return out << interruption.name;
}

class InterruptedCopy : public ::testing::TestWithParam<Interruption> {};

// copy SERVER FILE is held up on the last table, which a session of the test has locked, then cut
// short. Nothing of the new file is left, nor of its journal.
TEST_P(InterruptedCopy, LeavesNoFileBehind)
{
    const TestDirectory source(StoreKind::Server);
    ServerSession locker(source.server());
    ServerSession watcher(source.server()); // the locker's transaction would see one moment's activity
    ASSERT_EQ(locker.value("begin; lock table param in access exclusive mode"), "");
    QTemporaryDir scratch;
    const auto staged = [&] { return QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden); };
    QProcess copy;
    // A test run in the background inherits an ignored SIGINT, which the copy would keep ignoring.
    prepareCli(copy, scratch.path(), {u"copy"_s, source.server(), u"backup.dat"_s},
               {cliProgram(), [] { std::signal(SIGINT, SIG_DFL); }});
    copy.start();
    const std::string waiting = "select pid from pg_stat_activity where datname = current_database() and "
                                "wait_event_type = 'Lock'";
    const QDeadlineTimer deadline(30000);
    while (watcher.value(waiting).empty() && !deadline.hasExpired() && copy.state() != QProcess::NotRunning)
        QThread::msleep(20);
    ASSERT_FALSE(watcher.value(waiting).empty()) << collect(copy).err.toStdString();
    EXPECT_FALSE(staged().isEmpty()); // it is cut short mid-way

    if (GetParam().signal != 0)
        ::kill(pid_t(copy.processId()), GetParam().signal);
    else
        watcher.value("select pg_terminate_backend(pid) from (" + waiting + ") w");
    ASSERT_TRUE(copy.waitForFinished(30000));
    locker.value("rollback");
    EXPECT_EQ(staged(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Copy, InterruptedCopy,
                         ::testing::Values(Interruption{"Sigint", SIGINT}, Interruption{"Sigterm", SIGTERM},
                                           Interruption{"Sighup", SIGHUP}, Interruption{"ServerGone", 0}),
                         [](const ::testing::TestParamInfo<Interruption> &info) { return info.param.name; });

} // namespace
