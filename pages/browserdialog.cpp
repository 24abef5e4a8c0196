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

// The engine's error page is laid out for a whole browser window; in the small browser area, with
// no scroll bars, it would be cut after its first words. It is zoomed out, in steps, until the
// text the user reads (buttons aside) fits the area, and scrolled to where that text begins.
const QString fitErrorPageScript = QStringLiteral(R"js(
(function () {
    var root = document.documentElement;
    function textBox() {
        var box = null;
        var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
        for (var node = walker.nextNode(); node; node = walker.nextNode()) {
            if (!node.textContent.trim() || node.parentElement.closest("button"))
                continue;
            var range = document.createRange();
            range.selectNodeContents(node);
            var rects = range.getClientRects();
            for (var i = 0; i < rects.length; ++i) {
                var r = rects[i];
                if (!r.width || !r.height)
                    continue;
                box = box ? {left: Math.min(box.left, r.left), top: Math.min(box.top, r.top),
                             right: Math.max(box.right, r.right), bottom: Math.max(box.bottom, r.bottom)}
                          : {left: r.left, top: r.top, right: r.right, bottom: r.bottom};
            }
        }
        return box;
    }
    var box = null, scale = 1;
    for (var percent = 100; percent >= 30; percent -= 5) {
        root.style.zoom = percent / 100;
        // Some engine versions measure a zoomed element in its own pixels, others in the view's.
        scale = window.innerWidth / root.getBoundingClientRect().width;
        box = textBox();
        if (!box || ((box.bottom - box.top) * scale <= window.innerHeight
                     && box.left >= 0 && box.right * scale <= window.innerWidth))
            break;
    }
    if (box)
        window.scrollTo(0, window.scrollY + box.top * scale);
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

void BrowserDialog::pageLoaded(bool succeeded)
{
    // A failed load has left the engine's own error page, which loses its scroll bars as well.
    // The browser drops the answer if it comes while this window is being destroyed.
    m_browser->runScript(hideScrollBarsScript, [this](const QVariant &result) {
        const QString problem = result.toString();
        if (!problem.isEmpty())
            m_errorSink(problem);
    });
    // Fitted once the scroll bars have given their room back to the text.
    if (!succeeded)
        m_browser->runScript(fitErrorPageScript, [](const QVariant &) {});
}

} // namespace pages
