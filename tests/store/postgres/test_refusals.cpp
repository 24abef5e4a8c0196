// A connection the server or libpq refuses is told by its true cause, each in its own words: the
// server named first, libpq's own text on a line of its own after «Подробности:». One office's server:
// TLS on 127.0.0.1, hostssl lines for two databases with scram-sha-256, passwords in a password file.
#include "messages/errortext.h"
#include "store/connection.h"
#include "store/storeerror.h"
#include "tests/server/ownserver.h"
#include "tests/server/serversession.h"
#include "tests/server/testcertificates.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using Kind = store::StoreError::Kind;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner); // libpq ignores a password file others may read
}

struct Office {
    Office()
    {
        writeFile(folder.filePath(u"pg_hba.conf"_s), "hostssl all postgres 127.0.0.1/32 trust\n"
                                                     "hostssl zelvik,nosuch all 127.0.0.1/32 scram-sha-256\n");
        // pavel's password in the file is not his; ivan has none there; nobody is no login at all.
        writeFile(folder.filePath(u"pgpass"_s), "*:*:*:olga:olga-secret\n*:*:*:pavel:not-his\n*:*:*:nobody:x\n");
        server = std::make_unique<OwnServer>(QStringList{u"--tcp"_s, u"--ssl"_s, certificates.serverFolder(), u"--hba"_s,
                                                         folder.filePath(u"pg_hba.conf"_s),
                                                         u"password_encryption=scram-sha-256"_s});
        ServerSession admin(server->conninfo());
        std::string failed = admin.value("create database zelvik");
        for (const char *login : {"olga", "pavel", "ivan"})
            failed += admin.value(std::string("create role ") + login + " login password '" + login + "-secret'");
        if (!failed.empty())
            throw std::runtime_error("cannot set the office up: " + failed);
    }
    // login to database, with the office's password file and the TLS settings ({ca}: the office's authority).
    QString conninfo(const char *login, const char *database, const char *tls) const
    {
        return server->conninfo(QLatin1String(database)).replace(u"user=postgres"_s, u"user="_s + QLatin1String(login))
            + u" passfile="_s + folder.filePath(u"pgpass"_s) + u' '
            + QLatin1String(tls).toString().replace(u"{ca}"_s, certificates.authority());
    }

    TestCertificates certificates;
    QTemporaryDir folder;
    std::unique_ptr<OwnServer> server;
};

struct Cause {
    const char *name;
    const char *login;
    const char *database;
    const char *tls;
    std::optional<Kind> kind; // none: let in
};

const char kVerified[] = "sslmode=verify-full sslrootcert={ca}";

const Cause kCauses[] = {
    {"LetIn", "olga", "zelvik", kVerified, std::nullopt},
    {"DatabaseMissing", "olga", "nosuch", kVerified, Kind::ServerDatabaseMissing},
    {"WrongPassword", "pavel", "zelvik", kVerified, Kind::ServerLoginRefused},
    {"NoSuchLogin", "nobody", "zelvik", kVerified, Kind::ServerLoginRefused},
    {"NoPassword", "ivan", "zelvik", kVerified, Kind::ServerPasswordMissing},
    {"NoHbaLine", "olga", "postgres", "sslmode=prefer", Kind::ServerNotLetIn},
    {"NoHbaLineVerified", "olga", "postgres", kVerified, Kind::ServerNotLetIn},
    {"NoHbaLineUnencrypted", "olga", "postgres", "sslmode=disable", Kind::ServerNotLetIn},
    {"HostsslOnlyUnencrypted", "olga", "zelvik", "sslmode=disable", Kind::ServerRequiresEncryption},
    {"RootCertificateMissing", "olga", "zelvik", "sslmode=verify-full sslrootcert=/nonexistent/office-ca.crt",
     Kind::ServerRootCertificateMissing},
};

// One server for every cause: a table, not a test each, which would start a server each.
TEST(Refusal, IsToldByItsCauseNamingTheServerWithLibpqsTextBelow)
{
    const Office office;
    for (const Cause &cause : kCauses) {
        SCOPED_TRACE(cause.name);
        store::Connection connection;
        connection.setServer(office.conninfo(cause.login, cause.database, cause.tls));
        try {
            connection.connect();
            ADD_FAILURE() << "connected";
        } catch (const store::StoreError &e) {
            if (!cause.kind) {
                // No directory in that database: the connection itself was made.
                EXPECT_EQ(e.kind(), Kind::ServerWithoutDirectory) << e.what();
                continue;
            }
            EXPECT_EQ(e.kind(), *cause.kind) << e.what();
            const QStringList lines = messages::errorText(e).split(u'\n');
            ASSERT_EQ(lines.size(), 2) << messages::errorText(e).toStdString();
            EXPECT_TRUE(lines[0].contains(u"("_s + connection.storeName() + u")"_s)) << lines[0].toStdString();
            EXPECT_EQ(lines[1], u"Подробности: "_s + e.details().last());
            if (cause.kind == Kind::ServerRootCertificateMissing) {
                EXPECT_TRUE(lines[0].contains(u"/nonexistent/office-ca.crt"_s)) << lines[0].toStdString();
            }
        }
    }
}

} // namespace
