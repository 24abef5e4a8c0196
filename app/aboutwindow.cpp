#include "aboutwindow.h"

#include "pixelfont.h"
#include "zelvik_version.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

QLabel *placeLabel(QWidget *window, const char *name, const QString &text, int left, int top)
{
    auto *label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    label->setFont(pages::pixelFont(QStringLiteral("Tahoma"), 11));
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

TForm2::TForm2(QWidget *parent) : FixedDialog(QSize(367, 124), Placement::CentreOnParent, parent)
{
    setWindowTitle(tr("О программе Zelvik"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/zelvik.png")));
    Image1->setGeometry(16, 8, 32, 32);

    Label1 = placeLabel(this, "Label1", tr("Zelvik - телефонные справочники"), 64, 8);
    Label5 = placeLabel(this, "Label5", tr("Версия: %1").arg(QStringLiteral(ZELVIK_VERSION)), 64, 32);
    Label3 = placeLabel(this, "Label3", tr("Разработка: команда Zelvik"), 64, 56);
    Label4 = placeLabel(this, "Label4", tr("Справочные данные: открытые источники"), 64, 80);
    Label2 = placeLabel(this, "Label2", tr("Распространяется свободно, без гарантий."), 64, 104);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(280, 20, 75, 25);
    BitBtn1->setDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
}

void TForm2::BitBtn1Click()
{
    accept();
}

void TForm2::showEvent(QShowEvent *event)
{
    FixedDialog::showEvent(event);
    BitBtn1->setFocus(Qt::OtherFocusReason);
}
