#pragma once

#include "pages/fixeddialog.h"

#include <functional>

namespace pages {

class BrowserHost;

// A secondary window around an embedded browser: it asks for its page each time it is opened and hides
// the page's scroll bars once the page has loaded.
class BrowserDialog : public FixedDialog
{
    Q_OBJECT

public:
    using ErrorSink = std::function<void(const QString &text)>;

    // Where a loaded document that cannot lose its scroll bars (it has no body) is reported. The window
    // stays open with the page as loaded. By default a plain critical message box.
    void setErrorSink(ErrorSink sink);

protected:
    BrowserDialog(QSize clientSize, QRect browserGeometry, QWidget *parent);

    // Asks the browser for the window's page.
    virtual void loadPage() = 0;

    void showEvent(QShowEvent *event) override;

private slots:
    void pageLoaded(bool succeeded);

protected:
    BrowserHost *m_browser = nullptr;

private:
    ErrorSink m_errorSink;
};

} // namespace pages
