#include "helpwindow.h"

#include "browserhost.h"
#include "headinglabel.h"
#include "helppage.h"
#include "pixelfont.h"

#include <QLabel>
#include <QPushButton>

TForm5::TForm5(QWidget *parent)
    : BrowserDialog(QSize(497, 289), QRect(8, 40, 481, 205), parent),
      Label1(new QLabel(tr("Служба поддержки"), this)),
      Button1(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(tr("Помощь"));

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(pages::pixelFont(QStringLiteral("Tahoma"), 21));
    pages::placeHeading(Label1, QRect(144, 8, 187, 25));

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(200, 256, 75, 25);
    Button1->setFont(pages::pixelFont(QStringLiteral("MS Sans Serif"), 11, true));

    setTabOrder(WebBrowser1, Button1);

    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
}

void TForm5::Button1Click()
{
    accept();
}

void TForm5::FormActivate()
{
    WebBrowser1->showHtml(pages::helpPageHtml());
}
