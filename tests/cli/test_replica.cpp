// zelvik-cli with a replica= line in conf.cfg: check reports the standby's lag, and a standby that
// cannot be reached costs no search and is told on standard error, once a run.
#include "tests/server/ownserver.h"
#include "tests/support/clirunner.h"
#include "tests/support/seeds.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void writeConf(const QTemporaryDir &folder, const QString &server, const QString &replica)
{
    QFile conf(folder.filePath(u"conf.cfg"_s));
    const QByteArray text = "bd=\nserver=" + server.toUtf8() + "\nreplica=" + replica.toUtf8() + '\n';
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly) && conf.write(text) == text.size());
}

} // namespace

TEST(CliReplica, CheckReportsTheLagAndAStandbyThatIsDownIsToldOnceAndCostsNoSearch)
{
    OwnServer primary;
    primary.newDirectory(u"zelvik"_s);
    QTemporaryDir folder;
    ASSERT_TRUE(QFile(folder.filePath(u"db.dat"_s)).open(QIODevice::WriteOnly));
    const OwnServer standby(primary, {});

    writeConf(folder, primary.conninfo(u"zelvik"_s), standby.conninfo(u"zelvik"_s));
    const CliRun checked = runCli(folder.path(), {u"check"_s});
    EXPECT_EQ(checked.exitCode, 0) << checked.err.toStdString();
    EXPECT_EQ(checked.outLines(), (QStringList{u"ok"_s, checked.outLines().value(1)}));
    EXPECT_TRUE(checked.outLines().value(1).startsWith(u"replica: "_s)) << checked.out.toStdString();
    EXPECT_EQ(checked.err, QString());

    writeConf(folder, primary.conninfo(u"zelvik"_s), u"host=/nonexistent port=5 dbname=zelvik"_s);
    const QString notice = u"Резервный сервер"_s;
    for (const QString &seed : {QString::number(seeds::inventing(1)), QString::number(seeds::inventing(0))}) {
        // The first run invents the entry on the server; the second, whose seed would invent none, finds it.
        const CliRun found = runCli(folder.path(), {u"find"_s, u"--seed"_s, seed, u"--surname"_s, u"Реплицын"_s});
        EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
        EXPECT_EQ(found.firstLine(), u"Найдено: 1"_s);
        EXPECT_EQ(found.err.count(notice), 1) << found.err.toStdString();
    }
    const CliRun unreachable = runCli(folder.path(), {u"check"_s});
    EXPECT_EQ(unreachable.exitCode, 0);
    EXPECT_EQ(unreachable.out, u"ok\n"_s);
    EXPECT_EQ(unreachable.err.count(notice), 1) << unreachable.err.toStdString();
}
