#pragma once

#include "pages/browserview.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include <chrono>

class QNetworkReply;

// The windows' view on Qt's own QTextBrowser, for builds without Qt WebEngine (which MinGW has none
// of): a page is fetched with QtNetwork, redirects followed, within a time limit, and shown as Qt's
// rich text, its images fetched as the layout asks for them. It runs no scripts and shows no scroll
// bars. A page that cannot be had is replaced, in the view, by what happened: the address and the
// error, in Russian, as the engine's own error page says it.
class TextBrowserView : public QTextBrowser, public pages::BrowserView
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kTimeLimit{30000};

    explicit TextBrowserView(QWidget *parent, std::chrono::milliseconds timeLimit = kTimeLimit);

    QWidget *widget() override { return this; }
    void navigate(const QUrl &address) override;
    void showHtml(const QString &html) override;
    void setLoadFinishedHandler(LoadFinished handler) override;
    // Nothing runs scripts here: the answer is an invalid QVariant, at once.
    void runScript(const QString &script, ScriptResult done) override;

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QNetworkReply *fetch(const QUrl &address);
    // A page still on its way is not wanted any more, and says nothing when it ends.
    void dropPendingPage();
    void pageArrived(QNetworkReply *reply);
    void imageArrived(const QUrl &address, QNetworkReply *reply);
    void showPage(const QString &html);
    void finishLoad(bool ok);

    QNetworkAccessManager m_network;
    std::chrono::milliseconds m_timeLimit;
    QPointer<QNetworkReply> m_page;   // the page being fetched
    QUrl m_pageAddress;               // where the page shown came from, after redirects
    QString m_html;                   // the page shown, laid out again as its images arrive
    QHash<QUrl, QByteArray> m_images; // the page's images by address; empty when one could not be had
    LoadFinished m_loadFinished;
};
