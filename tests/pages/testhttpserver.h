#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 that answers each GET with the document registered for its path
// (404 for the rest) and closes the connection. It remembers which paths were asked for.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    explicit TestHttpServer(QObject *parent = nullptr);

    void serve(const QString &path, const QByteArray &contentType, const QByteArray &body);
    // Answers path with "302 Found" and the Location given.
    void redirect(const QString &path, const QUrl &location);
    // Takes requests for path and never answers them.
    void stayMute(const QString &path);
    QUrl address(const QString &path) const;
    // How many times path was requested.
    int requests(const QString &path) const { return m_requested.count(path); }

    // An address on 127.0.0.1 where nothing listens, so connections are refused.
    static QUrl unreachableAddress(const QString &path);

private:
    struct Document {
        QByteArray contentType;
        QByteArray body;
        QByteArray status;   // "200 OK"
        QByteArray location; // where a redirect leads
        bool mute;
    };

    void answer(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QString, Document> m_documents;
    QStringList m_requested;
};
