// A server reached over TLS: with the authority that signed its certificate the directory works as
// on any server (init, a search that invents, copy both ways); every other way in ends with a message
// naming why the connection was refused.
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "tests/lookup/shownoutcome.h"
#include "store/connection.h"
#include "store/provisioning/serverstorecreation.h"
#include "store/provisioning/storecopy.h"
#include "store/querychannel.h"
#include "store/storeerror.h"
#include "tests/lookup/searchfieldsbuilder.h"
#include "tests/server/ownserver.h"
#include "tests/server/serversession.h"
#include "tests/server/testcertificates.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using Kind = store::StoreError::Kind;

namespace {

const TestCertificates &certificates()
{
    static const TestCertificates made;
    return made;
}

// Lets TCP clients in encrypted only, as an office's server would.
OwnServer &encryptedServer()
{
    static QTemporaryDir folder;
    static OwnServer server = [] {
        QFile hba(folder.filePath(u"pg_hba.conf"_s));
        if (!hba.open(QIODevice::WriteOnly) || hba.write("local all all trust\nhostssl all all 127.0.0.1/32 trust\n") < 0)
            throw std::runtime_error("cannot write pg_hba.conf");
        hba.close();
        return OwnServer({u"--tcp"_s, u"--ssl"_s, certificates().serverFolder(), u"--hba"_s, hba.fileName()});
    }();
    return server;
}

OwnServer &plainServer()
{
    static OwnServer server({u"--tcp"_s});
    return server;
}

struct Way {
    const char *name;
    std::function<QString()> conninfo;
    std::optional<Kind> refusal;
};

std::ostream &operator<<(std::ostream &out, const Way &way)
{
    return out << way.name;
}

QString verifiedBy(const QString &authority)
{
    return encryptedServer().conninfo() + u" sslmode=verify-full sslrootcert="_s + authority;
}

const Way kWays[] = {
    {"VerifiedWithItsAuthority", [] { return verifiedBy(certificates().authority()); }, std::nullopt},
    {"AnotherAuthority", [] { return verifiedBy(certificates().otherAuthority()); }, Kind::ServerCertificateUntrusted},
    {"AnotherHostName",
     [] {
         return verifiedBy(certificates().authority()).replace(u"host=127.0.0.1"_s, u"host=zelvik.invalid hostaddr=127.0.0.1"_s);
     },
     Kind::ServerCertificateMismatch},
    {"RequiredOfAServerWithoutTls", [] { return plainServer().conninfo() + u" sslmode=require"_s; },
     Kind::ServerWithoutEncryption},
    {"UnencryptedToHostsslOnly", [] { return encryptedServer().conninfo() + u" sslmode=disable"_s; },
     Kind::ServerRequiresEncryption},
};

class EncryptedServer : public ::testing::TestWithParam<Way> {};

TEST_P(EncryptedServer, WorksVerifiedAndSaysWhyItRefuses)
{
    const QString conninfo = GetParam().conninfo();
    try {
        store::createServerDirectory(conninfo);
    } catch (const store::StoreError &e) {
        ASSERT_EQ(std::optional(e.kind()), GetParam().refusal) << e.what();
        return;
    }
    ASSERT_FALSE(GetParam().refusal) << "connected all the same";

    store::Connection connection;
    connection.setServer(conninfo);
    store::QueryChannel channel(connection);
    lookup::RandomSource random;
    random.setFixedSeed(3);
    const ShownOutcome outcome = lookup::search(channel, random, fieldsOf({{store::EntryField::Phone, u"4951112233"_s}}));
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    channel.run(u"select count(*) as m from pg_stat_ssl where ssl and pid = pg_backend_pid()"_s);
    EXPECT_EQ(channel.integer(u"m"_s), 1);

    QTemporaryDir folder;
    const QString backup = folder.filePath(u"history.dat"_s);
    EXPECT_GT(store::copyDirectory({QString(), conninfo}, {backup, QString()}), 0);
    ServerSession(conninfo).value("create database copied");
    const QString copied = QString(conninfo).replace(u"dbname=postgres"_s, u"dbname=copied"_s);
    store::copyDirectory({backup, QString()}, {QString(), copied});
    EXPECT_EQ(ServerSession(copied).value("select tele from tab"), "4951112233");
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Ways, EncryptedServer, ::testing::ValuesIn(kWays),
                         [](const ::testing::TestParamInfo<Way> &info) { return std::string(info.param.name); });
