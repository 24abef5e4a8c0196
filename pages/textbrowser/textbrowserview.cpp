#include "pages/textbrowser/textbrowserview.h"

#include "messages/pagetext.h"
#include "text/cp1251.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>
#include <QVariant>

#include <utility>

namespace {

// The charset a Content-Type names, or the document's own <meta> near its start.
QString charsetIn(QByteArrayView text)
{
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9_.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return charset.match(QString::fromLatin1(text.first(std::min<qsizetype>(text.size(), 1024)))).captured(1).toLower();
}

// The page as text: in the charset the server names, else the one the page names, else UTF-8. The
// code page of old Russian pages is read by the program's own table, which every build has.
QString decoded(const QByteArray &body, const QByteArray &contentType)
{
    QString charset = charsetIn(contentType);
    if (charset.isEmpty())
        charset = charsetIn(body);
    if (charset == u"windows-1251" || charset == u"cp1251" || charset == u"x-cp1251")
        return cp1251::decode(body);
    QStringDecoder decoder(charset.isEmpty() ? "UTF-8" : charset.toLatin1().constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(body);
}

QString reasonText(const QNetworkReply &reply, std::chrono::milliseconds timeLimit)
{
    using messages::PageFailure;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return messages::pageFailureText(PageFailure::HttpStatus, status,
                                         reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return messages::pageFailureText(PageFailure::Refused);
    case QNetworkReply::HostNotFoundError:
        return messages::pageFailureText(PageFailure::HostNotFound);
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // the time limit; the view's own cancels are never reported
        return messages::pageFailureText(PageFailure::TimedOut, 0, QString(), timeLimit.count() / 1000.0);
    case QNetworkReply::RemoteHostClosedError:
        return messages::pageFailureText(PageFailure::Closed);
    case QNetworkReply::SslHandshakeFailedError:
        return messages::pageFailureText(PageFailure::TlsFailed);
    case QNetworkReply::TooManyRedirectsError:
        return messages::pageFailureText(PageFailure::TooManyRedirects);
    case QNetworkReply::InsecureRedirectError:
        return messages::pageFailureText(PageFailure::InsecureRedirect);
    case QNetworkReply::ProtocolUnknownError:
        return messages::pageFailureText(PageFailure::UnknownScheme);
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return messages::pageFailureText(PageFailure::NoNetwork);
    default:
        return messages::pageFailureText(PageFailure::Other);
    }
}

QString failurePage(const QUrl &address, const QString &reason, const QString &detail)
{
    return messages::pageFailureHtml(address.toDisplayString(), reason, detail);
}

} // namespace

TextBrowserView::TextBrowserView(QWidget *parent, std::chrono::milliseconds timeLimit)
    : QTextBrowser(parent), m_timeLimit(timeLimit)
{
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A link leads on in the view, as in a browser.
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        navigate(m_pageAddress.resolved(link));
    });
}

QNetworkReply *TextBrowserView::fetch(const QUrl &address)
{
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(int(m_timeLimit.count()));
    request.setRawHeader("Accept-Language", "ru-RU,ru");
    return m_network.get(request);
}

void TextBrowserView::dropPendingPage()
{
    if (!m_page)
        return;
    m_page->disconnect(this);
    m_page->abort();
    m_page->deleteLater();
    m_page = nullptr;
}

void TextBrowserView::navigate(const QUrl &address)
{
    dropPendingPage();
    m_page = fetch(address);
    connect(m_page, &QNetworkReply::finished, this, [this, reply = m_page.data()] { pageArrived(reply); });
}

void TextBrowserView::pageArrived(QNetworkReply *reply)
{
    reply->deleteLater();
    m_page = nullptr;
    m_images.clear();
    m_pageAddress = reply->url();
    if (reply->error() != QNetworkReply::NoError) {
        showPage(failurePage(reply->request().url(), reasonText(*reply, m_timeLimit), reply->errorString()));
        return finishLoad(false);
    }
    const QByteArray body = reply->readAll();
    const QByteArray contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    const QString type = QString::fromLatin1(contentType).section(u';', 0, 0).trimmed().toLower();
    if (type.startsWith(u"image/")) {
        m_images.insert(m_pageAddress, body);
        showPage(QStringLiteral("<img src=\"%1\">").arg(m_pageAddress.toString().toHtmlEscaped()));
    } else if (type == u"text/plain") {
        m_html.clear();
        setPlainText(decoded(body, contentType));
    } else if (type.isEmpty() || type == u"text/html" || type == u"application/xhtml+xml") {
        showPage(decoded(body, contentType));
    } else {
        showPage(failurePage(reply->request().url(),
                             messages::pageTypeUnshownText(type), QString()));
        return finishLoad(false);
    }
    finishLoad(true);
}

void TextBrowserView::showHtml(const QString &html)
{
    dropPendingPage();
    m_pageAddress = QUrl();
    m_images.clear();
    showPage(html);
    finishLoad(true);
}

void TextBrowserView::showPage(const QString &html)
{
    m_html = html;
    setHtml(html);
}

QVariant TextBrowserView::loadResource(int type, const QUrl &name)
{
    const QUrl address = m_pageAddress.resolved(name);
    if (type != QTextDocument::ImageResource || (address.scheme() != u"http" && address.scheme() != u"https"))
        return QTextBrowser::loadResource(type, name);
    const auto known = m_images.constFind(address);
    if (known != m_images.constEnd())
        return *known;
    // Asked for once; laid out again when it arrives.
    m_images.insert(address, QByteArray());
    QNetworkReply *reply = fetch(address);
    connect(reply, &QNetworkReply::finished, this, [this, address, reply] { imageArrived(address, reply); });
    return QVariant();
}

void TextBrowserView::imageArrived(const QUrl &address, QNetworkReply *reply)
{
    reply->deleteLater();
    // Another page may be shown by now; its images are its own.
    if (reply->error() != QNetworkReply::NoError || !m_images.contains(address))
        return;
    m_images.insert(address, reply->readAll());
    setHtml(m_html);
}

void TextBrowserView::finishLoad(bool ok)
{
    if (m_loadFinished)
        m_loadFinished(ok);
}

void TextBrowserView::setLoadFinishedHandler(LoadFinished handler)
{
    m_loadFinished = std::move(handler);
}

void TextBrowserView::runScript(const QString &, ScriptResult done)
{
    done(QVariant());
}
