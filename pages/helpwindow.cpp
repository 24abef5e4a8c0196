#include "pages/helpwindow.h"

#include "pages/browserhost.h"
#include "pages/headinglabel.h"
#include "pages/helppage.h"
#include "pages/pixelfont.h"

#include <QLabel>
#include <QPushButton>

namespace pages {

HelpWindow::HelpWindow(QWidget *parent)
    : BrowserDialog(QSize(497, 289), QRect(8, 40, 481, 205), parent)
{
    setWindowTitle(tr("Помощь"));
    auto *heading = new QLabel(tr("Служба поддержки"), this);
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);

    heading->setObjectName(QStringLiteral("heading"));
    heading->setFont(pixelFont(QStringLiteral("Tahoma"), 21));
    placeHeading(heading, QRect(144, 8, 187, 25));

    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(200, 256, 75, 25);
    okButton->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, true));

    setTabOrder(m_browser, okButton);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void HelpWindow::loadPage()
{
    m_browser->showHtml(helpPageHtml());
}

} // namespace pages
