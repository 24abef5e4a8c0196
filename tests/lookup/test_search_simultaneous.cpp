// Eight operators search the same twenty new surnames, each surname at the same instant: each is
// invented by one search and found by the seven others, never invented twice, on a history.dat, on
// a server, and through pgbouncer in transaction mode with the lookups on a streaming replica.
#include "store/connection.h"
#include "store/querychannel.h"
#include "tests/server/ownserver.h"
#include "tests/server/poolerinfront.h"
#include "tests/server/testdirectory.h"
#include "tests/support/seeds.h"

#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int kOperators = 8;
constexpr int kSurnames = 20;
constexpr std::uint32_t kInvented = 2; // entries each new surname gets

enum class Setup { File, Server, PoolerAndReplica };

constexpr std::array kSetupNames{"File", "Server", "PoolerAndReplica"};

std::string setupName(const ::testing::TestParamInfo<Setup> &info)
{
    return kSetupNames[std::size_t(info.param)];
}

void PrintTo(Setup setup, std::ostream *out)
{
    *out << kSetupNames[std::size_t(setup)];
}

// The directory the operators share, and a folder whose conf.cfg leads them to it.
class SharedDirectory {
public:
    explicit SharedDirectory(Setup setup)
    {
        if (setup != Setup::PoolerAndReplica) {
            m_directory = std::make_unique<TestDirectory>(setup == Setup::File ? StoreKind::File : StoreKind::Server);
            m_directory->configure(m_connection);
            return;
        }
        m_primary = std::make_unique<OwnServer>();
        m_connection.setServer(m_primary->newDirectory(u"office"_s));
        m_standby = std::make_unique<OwnServer>(*m_primary, QStringList());
        m_pooler = std::make_unique<PoolerInFront>(*m_primary, QStringList(), m_standby.get(), u"office"_s, kOperators);
        QFile conf(m_folder.filePath(u"conf.cfg"_s));
        const QByteArray text = "bd=\nserver=" + m_pooler->conninfo(u"postgres"_s, u"office"_s).toUtf8()
            + "\nreplica=" + m_pooler->replicaConninfo(u"postgres"_s).toUtf8() + "\npooler=transaction\n";
        if (!conf.open(QIODevice::WriteOnly) || conf.write(text) != text.size()
            || !QFile(m_folder.filePath(u"db.dat"_s)).open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the operators' folder");
    }
    QString folder() const { return m_directory ? m_directory->folder() : m_folder.path(); }
    // The entries each surname has in tab, as the primary (or the file) holds them.
    QMap<QString, int> entries()
    {
        store::QueryChannel channel(m_connection);
        channel.run(u"select fam, count(*) as m from tab group by fam"_s);
        channel.fetch(INT_MAX);
        QMap<QString, int> counts;
        for (int row = 0; row < channel.fetched(); ++row)
            counts[channel.cell(row, 0).toString()] = int(channel.cell(row, 1).toLongLong());
        return counts;
    }

private:
    std::unique_ptr<TestDirectory> m_directory;
    std::unique_ptr<OwnServer> m_primary, m_standby;
    std::unique_ptr<PoolerInFront> m_pooler;
    QTemporaryDir m_folder;
    store::Connection m_connection;
};

class SearchesAtOnce : public ::testing::TestWithParam<Setup> {};

TEST_P(SearchesAtOnce, InventEachNewSurnameOnce)
{
    SharedDirectory directory(GetParam());
    QStringList surnames;
    for (int i = 0; i < kSurnames; ++i)
        surnames << u"Разом"_s + QChar(u'а' + i);
    // Late enough for every program to start and connect; far enough apart for every search to end.
    const qint64 start = QDateTime::currentMSecsSinceEpoch() + 3000;
    const QStringList plan = QStringList{directory.folder(), QString::number(start), u"300"_s,
                                         QString::number(seeds::inventing(kInvented))}
        + surnames;
    std::array<QProcess, kOperators> operators;
    for (QProcess &program : operators)
        program.start(QStringLiteral(ZELVIK_TEST_SEARCH_OPERATOR), plan);
    for (QProcess &program : operators) {
        ASSERT_TRUE(program.waitForFinished(120000));
        const QString said = QString::fromUtf8(program.readAllStandardOutput());
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        for (const QString &surname : surnames)
            EXPECT_TRUE(said.contains(surname + u"\tНайдено: %1\n"_s.arg(kInvented))) << said.toStdString();
    }

    const QMap<QString, int> entries = directory.entries();
    QStringList inventedTwice;
    for (const QString &surname : surnames)
        if (entries.value(surname) != int(kInvented))
            inventedTwice << u"%1: %2"_s.arg(surname).arg(entries.value(surname));
    EXPECT_TRUE(inventedTwice.isEmpty()) << inventedTwice.join(u", "_s).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Stores, SearchesAtOnce,
                         ::testing::Values(Setup::File, Setup::Server, Setup::PoolerAndReplica), setupName);

} // namespace
