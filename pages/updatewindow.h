#pragma once

#include "browserdialog.h"

#include <QUrl>

class QLabel;
class QPushButton;

// The update window: shows the update page of the program's web server. Whatever the page offers is
// the page's affair; the window itself downloads nothing.
class TForm4 : public pages::BrowserDialog
{
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr);
    // Shows updatePage instead of the program's own, for a server at another address.
    explicit TForm4(QUrl updatePage, QWidget *parent = nullptr);

    const QUrl &updatePage() const { return m_updatePage; }

    QLabel *Label1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

public slots:
    void Button1Click();
    void Button2Click();

protected:
    void FormActivate() override;

private:
    QUrl m_updatePage;
};
