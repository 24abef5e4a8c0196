#include "browserdialog.h"

#include "browserhost.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QShowEvent>
#include <QVariant>

#include <utility>

namespace pages {

namespace {

// Hides the body's scroll bars, first across, then down. Plain text and images arrive wrapped in a
// viewer document of the engine's making, which has a body; they count as documents without one.
// Returns an empty text, or what went wrong.
const QString hideScrollBarsScript = QStringLiteral(R"js(
(function () {
    try {
        var type = document.contentType;
        if (type !== "text/html" && type !== "application/xhtml+xml")
            return "Загруженный документ (" + type + ") не является HTML-страницей";
        document.body.style.overflowX = "hidden";
        document.body.style.overflowY = "hidden";
        return "";
    } catch (e) {
        return String(e);
    }
})()
)js");

} // namespace

BrowserDialog::BrowserDialog(QSize clientSize, QRect browserGeometry, QWidget *parent)
    : FixedDialog(clientSize, Placement::CentreOnScreen, parent),
      m_browser(new BrowserHost(this)),
      m_errorSink([this](const QString &text) {
          QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), text);
      })
{
    m_browser->setObjectName(QStringLiteral("browser"));
    m_browser->setGeometry(browserGeometry);
    connect(m_browser, &BrowserHost::loadFinished, this, &BrowserDialog::pageLoaded);
}

void BrowserDialog::setErrorSink(ErrorSink sink)
{
    m_errorSink = std::move(sink);
}

void BrowserDialog::showEvent(QShowEvent *event)
{
    FixedDialog::showEvent(event);
    // Coming back from another program or from a minimised state is a spontaneous show; it keeps the page.
    if (!event->spontaneous())
        loadPage();
}

void BrowserDialog::pageLoaded(bool ok)
{
    // A failed load leaves the engine's own error page, which needs nothing from us.
    if (!ok)
        return;
    // The browser drops the answer if it comes while this window is being destroyed.
    m_browser->runScript(hideScrollBarsScript, [this](const QVariant &result) {
        const QString problem = result.toString();
        if (!problem.isEmpty())
            m_errorSink(problem);
    });
}

} // namespace pages
