#include "tests/server/testcertificates.h"

#include <QFile>
#include <QProcess>

#include <stdexcept>

namespace {

// Elliptic-curve keys: made at once, where RSA keys would cost the test seconds.
const QStringList kNewKey{QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                          QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};

} // namespace

TestCertificates::TestCertificates()
{
    makeAuthority(QStringLiteral("ca"));
    makeAuthority(QStringLiteral("other-ca"));
    QFile names(m_folder.filePath(QStringLiteral("server.ext")));
    if (!names.open(QIODevice::WriteOnly) || names.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n") < 0)
        throw std::runtime_error("cannot write the server certificate's names");
    names.close();
    openssl(QStringList{QStringLiteral("req")} + kNewKey
            + QStringList{QStringLiteral("-keyout"), QStringLiteral("server.key"), QStringLiteral("-out"),
                          QStringLiteral("server.csr"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost")});
    openssl({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), QStringLiteral("server.csr"),
             QStringLiteral("-CA"), QStringLiteral("ca.crt"), QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
             QStringLiteral("-CAcreateserial"), QStringLiteral("-days"), QStringLiteral("2"),
             QStringLiteral("-extfile"), QStringLiteral("server.ext"), QStringLiteral("-out"),
             QStringLiteral("server.crt")});
}

void TestCertificates::makeAuthority(const QString &name) const
{
    openssl(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + kNewKey
            + QStringList{QStringLiteral("-keyout"), name + QStringLiteral(".key"), QStringLiteral("-out"),
                          name + QStringLiteral(".crt"), QStringLiteral("-days"), QStringLiteral("2"),
                          QStringLiteral("-subj"), QStringLiteral("/CN=Zelvik test ") + name,
                          QStringLiteral("-addext"), QStringLiteral("basicConstraints=critical,CA:TRUE"),
                          QStringLiteral("-addext"), QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")});
}

void TestCertificates::openssl(const QStringList &arguments) const
{
    QProcess process;
    process.setWorkingDirectory(m_folder.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("openssl"), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error("openssl " + arguments.join(u' ').toStdString() + " failed (scripts/deps installs "
                                 "it): " + process.errorString().toStdString() + " " + process.readAll().toStdString());
}
