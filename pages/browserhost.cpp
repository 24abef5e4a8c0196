#include "pages/browserhost.h"

#include <QLabel>
#include <QTextBrowser>
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
    if (BrowserView *view = ensureView()) {
        view->navigate(address);
        return;
    }
    // A page from the network needs the browser; there is nothing to show it with.
    showInstead(nullptr)->setText(tr("Встроенный браузер не установлен или не загружается, поэтому "
                                     "страница %1 не может быть показана.").arg(address.toDisplayString()));
}

void BrowserHost::showHtml(const QString &html)
{
    if (BrowserView *view = ensureView()) {
        view->showHtml(html);
        return;
    }
    // A page of the program's own is static text, which a plain HTML view shows well enough.
    auto *plain = qobject_cast<QTextBrowser *>(m_fallback);
    if (!plain) {
        plain = new QTextBrowser(this);
        plain->setOpenLinks(false);
        plain->setFrameShape(QFrame::NoFrame);
        plain->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        plain->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        showInstead(plain);
    }
    plain->setHtml(html);
}

QLabel *BrowserHost::showInstead(QWidget *fallback)
{
    QLabel *notice = fallback ? nullptr : qobject_cast<QLabel *>(m_fallback);
    if (!fallback && !notice) {
        notice = new QLabel(this);
        notice->setObjectName(QStringLiteral("browserMissing"));
        notice->setAlignment(Qt::AlignCenter);
        notice->setWordWrap(true);
        notice->setTextFormat(Qt::PlainText);
        fallback = notice;
    }
    if (fallback && fallback != m_fallback) {
        delete m_fallback;
        m_fallback = fallback;
        layout()->addWidget(fallback);
        setFocusProxy(fallback);
        fallback->show();
    }
    return notice;
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
    if (m_view || m_moduleMissing)
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
        m_moduleMissing = true;
    }
    return m_view;
}

} // namespace pages
