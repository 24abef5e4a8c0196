// A server that does not answer never holds the window: each statement waits at most its time
// (server_timeout= and replica_timeout= in conf.cfg, 2 s and 1 s here), and meanwhile the window
// paints, its timers run, it shows a busy cursor and starts nothing else; what the search began is
// not half-stored. Three ways a server goes quiet: the replica behind pgbouncer stopped, the primary
// behind it stopped, and a server whose every process is stopped (SIGSTOP), which accepts
// connections and answers nothing.
#include "tests/app/mainwindowfixture.h"
#include "tests/server/ownserver.h"
#include "tests/server/poolerinfront.h"
#include "tests/server/serversession.h"
#include "tests/support/clirunner.h"

#include "app/searchfieldnames.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Far above the 2 s a statement may wait, far below what pgbouncer alone would hold a search
// (query_wait_timeout, 120 s) or a stopped server would (for ever).
constexpr qint64 kWithinMilliseconds = 30000;
const QString kTimedOut = u"не ответил за 2 с"_s;

// What one click on «Найти» was like, seen from a timer ticking every 50 ms meanwhile.
struct ClickedSearch {
    qint64 milliseconds = 0;
    int ticks = 0;
    bool busyCursor = false;
    int lookups = 0; // lookups the window sent: a second click and a close meanwhile start nothing
    bool stayedOpen = true;
};

class WindowWaitingForServer : public MainWindowTest {
protected:
    WindowWaitingForServer() { useFolder(DataFolder::DbDat); }

    void configure(const QByteArray &lines)
    {
        folder->write(u"conf.cfg"_s, "bd=x\n" + lines + "server_timeout=2\nreplica_timeout=1\n");
        openWindow();
        activate();
    }

    ClickedSearch search(const QString &surname)
    {
        child<QLineEdit>(app::kSearchFieldNames[0])->setText(surname);
        auto *button = child<QPushButton>("searchButton");
        ClickedSearch seen;
        const auto counting = QObject::connect(&form->queryChannel(), &store::QueryChannel::statementSent,
                                               [&](const QString &statement) {
                                                   seen.lookups += statement.startsWith(u"select * from tab where fam"_s);
                                               });
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++seen.ticks;
            seen.busyCursor = seen.busyCursor
                || (QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor);
            if (seen.ticks == 3) {
                QTest::mouseClick(button, Qt::LeftButton);
                seen.stayedOpen = !form->close();
            }
        });
        ticker.start(50);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(button, Qt::LeftButton);
        seen.milliseconds = clock.elapsed();
        ticker.stop();
        QObject::disconnect(counting);
        settle();
        return seen;
    }

    // The window waited, yet stayed alive and alone: the timer ticked through the wait (which lasts a
    // second or two), the cursor said so, and nothing else was started or closed.
    static void expectWaitedAlive(const ClickedSearch &seen)
    {
        EXPECT_LT(seen.milliseconds, kWithinMilliseconds);
        EXPECT_GE(seen.ticks, 5) << seen.milliseconds << " ms";
        EXPECT_TRUE(seen.busyCursor);
        EXPECT_EQ(seen.lookups, 1);
        EXPECT_TRUE(seen.stayedOpen);
    }

    CliRun find(const QString &surname) const
    {
        return runCli(folder->path(), {u"find"_s, u"--surname"_s, surname});
    }
};

// A server of the test's own holding an empty directory, database office.
struct ServerWithDirectory : OwnServer {
    ServerWithDirectory() { newDirectory(u"office"_s); }
};

// The primary, its streaming standby and pgbouncer in transaction mode in front of both; the window
// has searched once, so its connections are open when a server stops.
class BehindPooler : public WindowWaitingForServer {
protected:
    BehindPooler()
    {
        configure("server=" + pooler.conninfo(u"postgres"_s, u"office"_s).toUtf8()
                  + "\nreplica=" + pooler.replicaConninfo(u"postgres"_s).toUtf8() + "\npooler=transaction\n");
        search(u"Начальный"_s);
    }

    ServerWithDirectory primary;
    OwnServer standby{primary, {}};
    PoolerInFront pooler{primary, {}, &standby, u"office"_s};
};

TEST_F(BehindPooler, AStoppedReplicaCostsTheSearchOneSecondAndTheServerAnswers)
{
    standby.halt(u"fast"_s);
    const ClickedSearch seen = search(u"Остановкин"_s);
    expectWaitedAlive(seen);
    EXPECT_TRUE(messagePanel().startsWith(u"Найдено: "_s)) << messagePanel().toStdString();
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    EXPECT_TRUE(boxes.shown().first().text.startsWith(u"Резервный сервер"_s));
}

TEST_F(BehindPooler, AStoppedPrimaryEndsTheSearchWithOneMessageInTime)
{
    primary.halt(u"fast"_s);
    const ClickedSearch seen = search(u"Остановкин"_s);
    expectWaitedAlive(seen);
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    EXPECT_TRUE(boxes.shown().first().text.contains(kTimedOut)) << boxes.shown().first().text.toStdString();

    // pgbouncer may refuse a new program at once while the server's logins fail (server_login_retry).
    QElapsedTimer clock;
    clock.start();
    const CliRun found = find(u"Остановкин"_s);
    EXPECT_LT(clock.elapsed(), kWithinMilliseconds);
    EXPECT_NE(found.exitCode, 0);
    EXPECT_TRUE(found.err.startsWith(u"Справочник на сервере недоступен"_s) || found.err.contains(kTimedOut))
        << found.err.toStdString();
}

// Frozen in the middle of a search that stores entries, after its first insert: the search ends in
// time, the server keeps none of its entries once it goes on, and the next search works.
TEST_F(WindowWaitingForServer, AFrozenServerEndsTheSearchInTimeAndKeepsNothingOfIt)
{
    ServerWithDirectory server;
    configure("server=" + server.conninfo(u"office"_s).toUtf8() + '\n');
    const auto thawed = qScopeGuard([&] { server.thaw(); });
    int inserts = 0; // of the search under way
    bool frozen = false;
    QObject::connect(&form->queryChannel(), &store::QueryChannel::statementSent, [&](const QString &statement) {
        if (statement.startsWith(u"select * from tab where fam"_s))
            inserts = 0;
        else if (statement.startsWith(u"insert"_s) && ++inserts == 2 && !std::exchange(frozen, true))
            server.freeze();
    });
    // The window's draw of entries is its own: surnames are searched until one invents two or more.
    QString surname;
    ClickedSearch seen;
    for (char16_t letter = u'а'; !frozen && letter <= u'я'; ++letter)
        seen = search(surname = u"Морозов"_s + QChar(letter));
    ASSERT_TRUE(frozen) << "no search invented two entries";
    expectWaitedAlive(seen);
    ASSERT_FALSE(boxes.shown().isEmpty());
    EXPECT_TRUE(boxes.shown().last().text.contains(kTimedOut)) << boxes.shown().last().text.toStdString();

    QElapsedTimer clock;
    clock.start();
    const CliRun found = find(surname);
    EXPECT_LT(clock.elapsed(), kWithinMilliseconds);
    EXPECT_EQ(found.exitCode, 2);
    EXPECT_TRUE(found.err.contains(kTimedOut)) << found.err.toStdString();

    server.thaw();
    ServerSession session(server.conninfo(u"office"_s));
    EXPECT_EQ(session.value("select count(*) from tab where fam = '" + surname.toStdString() + "'"), "0");
    search(surname);
    EXPECT_TRUE(messagePanel().startsWith(u"Найдено: "_s)) << boxes.texts().join(u'\n').toStdString();
}

} // namespace

// The status bar says the directory is connected only when it is: not while the server is down at
// start, and again once a search has reached it.
TEST(WindowOnServer, StatusBarSaysWhetherTheDirectoryIsConnected)
{
    OwnServer server;
    DataFolder folder(DataFolder::DbDat);
    folder.write(u"conf.cfg"_s, "bd=x\nserver=" + server.newDirectory(u"zelvik"_s).toUtf8() + '\n');
    server.halt(u"fast"_s);
    BoxRecorder boxes;
    app::MainWindow window;
    window.show();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    const auto *status = window.findChild<QLabel *>(u"statusPanel"_s);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(status->text(), u"База не подключена"_s);

    server.resume();
    window.findChild<QLineEdit *>(QLatin1String(app::kSearchFieldNames[0]))->setText(u"Подключенов"_s);
    QMetaObject::invokeMethod(&window, "search");
    EXPECT_EQ(status->text(), u"База данных подключена"_s);
    EXPECT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
}
