#include "updatewindow.h"

#include "browserhost.h"
#include "headinglabel.h"
#include "pixelfont.h"
#include "siteaddresses.h"

#include <QLabel>
#include <QPushButton>

#include <utility>

TForm4::TForm4(QWidget *parent) : TForm4(pages::site::updatePageAddress(), parent)
{
}

TForm4::TForm4(QUrl updatePage, QWidget *parent)
    : BrowserDialog(QSize(457, 249), QRect(8, 44, 441, 150), parent),
      Label1(new QLabel(tr("Обновление"), this)),
      Button1(new QPushButton(QStringLiteral("OK"), this)),
      Button2(new QPushButton(tr("Отмена"), this)),
      m_updatePage(std::move(updatePage))
{
    setWindowTitle(tr("Обновление базы данных"));

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(pages::pixelFont(QStringLiteral("Tahoma"), 21));
    pages::placeHeading(Label1, QRect(168, 8, 119, 25));

    const QFont buttonFont = pages::pixelFont(QStringLiteral("Arial"), 12, true);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(132, 208, 75, 25);
    Button1->setFont(buttonFont);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(244, 208, 75, 25);
    Button2->setFont(buttonFont);

    setTabOrder(WebBrowser1, Button1);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
}

void TForm4::Button1Click()
{
    accept();
}

void TForm4::Button2Click()
{
    reject();
}

void TForm4::FormActivate()
{
    WebBrowser1->navigate(m_updatePage);
}
