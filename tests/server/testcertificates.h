#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Certificates for a test server that speaks TLS, made with openssl in a scratch folder and gone with
// it: a throwaway certificate authority, a server certificate it signed for 127.0.0.1 and localhost
// (server.crt and server.key, as testserver.sh --ssl takes them), and a second authority that signed
// nothing, for a client that trusts the wrong one. Throws std::runtime_error when openssl fails.
class TestCertificates {
public:
    TestCertificates();

    // The folder to give testserver.sh's --ssl.
    QString serverFolder() const { return m_folder.path(); }
    // The authority that signed the server's certificate, for sslrootcert.
    QString authority() const { return m_folder.filePath(QStringLiteral("ca.crt")); }
    // An authority of its own, which vouches for no server.
    QString otherAuthority() const { return m_folder.filePath(QStringLiteral("other-ca.crt")); }

private:
    void makeAuthority(const QString &name) const;
    void openssl(const QStringList &arguments) const;

    QTemporaryDir m_folder;
};
