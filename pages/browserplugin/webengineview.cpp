#include "pages/browserplugin/webengineview.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <utility>

WebEngineView::WebEngineView(QWidget *parent) : QWebEngineView(parent)
{
    page()->profile()->setHttpAcceptLanguage(QStringLiteral("ru-RU,ru"));
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (m_loadFinished)
            m_loadFinished(ok);
    });
}

void WebEngineView::navigate(const QUrl &address)
{
    load(address);
}

void WebEngineView::showHtml(const QString &html)
{
    setHtml(html);
}

void WebEngineView::setLoadFinishedHandler(LoadFinished handler)
{
    m_loadFinished = std::move(handler);
}

void WebEngineView::runScript(const QString &script, ScriptResult done)
{
    page()->runJavaScript(script, std::move(done));
}
