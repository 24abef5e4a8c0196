#include "pages/updatewindow.h"

#include "pages/browserhost.h"
#include "pages/headinglabel.h"
#include "pages/pixelfont.h"
#include "pages/siteaddresses.h"

#include <QLabel>
#include <QPushButton>

#include <utility>

namespace pages {

UpdateWindow::UpdateWindow(QWidget *parent) : UpdateWindow(site::updatePageAddress(), parent)
{
}

UpdateWindow::UpdateWindow(QUrl updatePage, QWidget *parent)
    : BrowserDialog(QSize(457, 249), QRect(8, 44, 441, 150), parent), m_updatePage(std::move(updatePage))
{
    setWindowTitle(tr("Обновление базы данных"));
    auto *heading = new QLabel(tr("Обновление"), this);
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    auto *cancelButton = new QPushButton(tr("Отмена"), this);

    heading->setObjectName(QStringLiteral("heading"));
    heading->setFont(pixelFont(QStringLiteral("Tahoma"), 21));
    placeHeading(heading, QRect(168, 8, 119, 25));

    const QFont buttonFont = pixelFont(QStringLiteral("Arial"), 12, true);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(132, 208, 75, 25);
    okButton->setFont(buttonFont);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(244, 208, 75, 25);
    cancelButton->setFont(buttonFont);

    setTabOrder(m_browser, okButton);
    setTabOrder(okButton, cancelButton);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void UpdateWindow::loadPage()
{
    m_browser->navigate(m_updatePage);
}

} // namespace pages
