#pragma once

#include "pages/browsermodule.h"
#include "pages/browserview.h"

#include <QWidget>

#include <memory>

class QLabel;
class QUrl;

namespace pages {

// The place of a window's embedded browser. It stays an empty widget until the first page is asked for,
// then loads the browser module and puts a view into itself. When the module cannot be loaded, HTML
// given as text is shown by a plain HTML view, and for a page address a notice says that the browser
// is missing.
class BrowserHost : public QWidget
{
    Q_OBJECT

public:
    explicit BrowserHost(QWidget *parent = nullptr, QString modulePath = defaultBrowserModulePath());
    ~BrowserHost() override;

    void navigate(const QUrl &address);
    void showHtml(const QString &html);
    // Without a view the result is an invalid QVariant, delivered at once. Once the host is being
    // destroyed, answers still pending are dropped, so done may safely use the host's owners.
    void runScript(const QString &script, BrowserView::ScriptResult done);

    // The view, or nullptr before the first page or when the module could not be loaded.
    BrowserView *view() const { return m_view; }
    // What shows pages without the browser module (a QTextBrowser or a QLabel notice), or nullptr.
    QWidget *fallback() const { return m_fallback; }

signals:
    // A main-frame load ended; ok is false when it failed.
    void loadFinished(bool ok);

private:
    BrowserView *ensureView();
    // Puts `fallback`, or a notice when it is nullptr, where the view would be; returns the notice.
    QLabel *showInstead(QWidget *fallback);

    QString m_modulePath;
    // The engine answers pending scripts while it is torn down, which is after this object has stopped
    // being a BrowserHost; answers are passed on only while this is true.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    BrowserView *m_view = nullptr;
    bool m_moduleMissing = false;
    QWidget *m_fallback = nullptr;
};

} // namespace pages
