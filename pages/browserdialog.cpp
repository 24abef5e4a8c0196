#include "pages/browserdialog.h"

#include "pages/browserhost.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVariant>

#include <utility>

namespace pages {

namespace {

// Hides the body's scroll bars, first across, then down: on pages, on the engine's error pages and
// on the documents the engine shows inside a body of its own (plain text, images). Returns an empty
// text, or what went wrong.
const QString hideScrollBarsScript = QStringLiteral(R"js(
(function () {
    try {
        if (!document.body)
            return "В загруженном документе (" + document.contentType + ") нет тела страницы, полосы прокрутки не скрыть";
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
    // No default button: Enter in the page is the page's, and must not close the window. A dialog
    // would otherwise make the first of its buttons the default as it shows.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    FixedDialog::showEvent(event);
    // Coming back from another program or from a minimised state is a spontaneous show; it keeps the page.
    if (!event->spontaneous())
        loadPage();
}

void BrowserDialog::pageLoaded(bool)
{
    // A failed load has left the engine's own error page, which loses its scroll bars as well.
    // The browser drops the answer if it comes while this window is being destroyed.
    m_browser->runScript(hideScrollBarsScript, [this](const QVariant &result) {
        const QString problem = result.toString();
        if (!problem.isEmpty())
            m_errorSink(problem);
    });
}

} // namespace pages
