#include "browserhost.h"

#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>
#include <QVariant>

#include <utility>

namespace pages {

BrowserHost::BrowserHost(QWidget *parent, QString modulePath)
    : QWidget(parent), m_modulePath(std::move(modulePath))
{
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

BrowserHost::~BrowserHost()
{
    *m_alive = false;
}

void BrowserHost::navigate(const QUrl &address)
{
    if (BrowserView *view = ensureView())
        view->navigate(address);
}

void BrowserHost::showHtml(const QString &html)
{
    if (BrowserView *view = ensureView())
        view->showHtml(html);
}

void BrowserHost::runScript(const QString &script, BrowserView::ScriptResult done)
{
    if (!m_view) {
        done(QVariant());
        return;
    }
    m_view->runScript(script, [alive = m_alive, done = std::move(done)](const QVariant &result) {
        if (*alive)
            done(result);
    });
}

BrowserView *BrowserHost::ensureView()
{
    if (m_view || m_notice)
        return m_view;

    QString problem;
    if (BrowserModule *module = loadBrowserModule(m_modulePath, &problem)) {
        m_view = module->createView(this);
        m_view->setLoadFinishedHandler([this, alive = m_alive](bool ok) {
            if (*alive)
                emit loadFinished(ok);
        });
        layout()->addWidget(m_view->widget());
        setFocusProxy(m_view->widget());
    } else {
        qWarning("Browser module unavailable: %s", qUtf8Printable(problem));
        m_notice = new QLabel(tr("Встроенный браузер недоступен.") + QLatin1Char('\n') + problem, this);
        m_notice->setAlignment(Qt::AlignCenter);
        m_notice->setWordWrap(true);
        layout()->addWidget(m_notice);
    }
    return m_view;
}

} // namespace pages
