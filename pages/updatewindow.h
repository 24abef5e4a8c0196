#pragma once

#include "pages/browserdialog.h"

#include <QUrl>

class QLabel;
class QPushButton;

namespace pages {

// The update window: shows the update page of the program's web server. Whatever the page offers is
// the page's affair; the window itself downloads nothing.
class UpdateWindow : public BrowserDialog
{
    Q_OBJECT

public:
    explicit UpdateWindow(QWidget *parent = nullptr);
    // Shows updatePage instead of the program's own, for a server at another address.
    explicit UpdateWindow(QUrl updatePage, QWidget *parent = nullptr);

    const QUrl &updatePage() const { return m_updatePage; }

protected:
    void loadPage() override;

private:
    QUrl m_updatePage;
};

} // namespace pages
