#include "tests/pages/testhttpserver.h"

#include <QTcpSocket>

TestHttpServer::TestHttpServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("test server cannot listen: %s", qPrintable(m_server.errorString()));
}

void TestHttpServer::serve(const QString &path, const QByteArray &contentType, const QByteArray &body)
{
    m_documents.insert(path, {contentType, body, "200 OK", {}, false});
}

void TestHttpServer::redirect(const QString &path, const QUrl &location)
{
    m_documents.insert(path, {"text/plain", "moved", "302 Found", location.toEncoded(), false});
}

void TestHttpServer::stayMute(const QString &path)
{
    m_documents.insert(path, {{}, {}, {}, {}, true});
}

QUrl TestHttpServer::address(const QString &path) const
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(m_server.serverPort());
    url.setPath(path);
    return url;
}

QUrl TestHttpServer::unreachableAddress(const QString &path)
{
    // A port that was free a moment ago and is closed again.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port);
    url.setPath(path);
    return url;
}

void TestHttpServer::answer(QTcpSocket *socket)
{
    // The browser sends GET requests only: everything up to the blank line is the request.
    const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;

    const QString path = QString::fromLatin1(request.left(request.indexOf("\r\n")).split(' ').value(1));
    m_requested.append(path);
    const auto found = m_documents.constFind(path);
    const bool known = found != m_documents.constEnd();
    const Document document = known ? *found : Document{"text/plain", "not found", "404 Not Found", {}, false};
    if (document.mute)
        return;
    socket->write("HTTP/1.1 " + document.status + "\r\n"
                  + (document.location.isEmpty() ? QByteArray() : "Location: " + document.location + "\r\n")
                  + "Content-Type: " + document.contentType + "\r\n"
                  + "Content-Length: " + QByteArray::number(document.body.size()) + "\r\n"
                  + "Cache-Control: no-store\r\nConnection: close\r\n\r\n" + document.body);
    socket->disconnectFromHost();
}
