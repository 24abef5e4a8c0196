#include "browserhost.h"

#include <QLabel>
#include <QPointer>
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
    if (m_view)
        m_view->runScript(script, std::move(done));
    else
        done(QVariant());
}

BrowserView *BrowserHost::ensureView()
{
    if (m_view || m_notice)
        return m_view;

    QString problem;
    if (BrowserModule *module = loadBrowserModule(m_modulePath, &problem)) {
        m_view = module->createView(this);
        QPointer<BrowserHost> self(this);
        m_view->setLoadFinishedHandler([self](bool ok) {
            if (self)
                emit self->loadFinished(ok);
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
