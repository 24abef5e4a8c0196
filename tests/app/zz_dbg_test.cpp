#include "gridwindowfixture.h"
#include <QApplication>
#include <QTableView>
#include <QDebug>
using namespace Qt::StringLiterals;
TEST_F(GridWindowTest, Debug)
{
    clickCell(0, Fam);
    qDebug() << "focus after click" << QApplication::focusWidget();
    typeText(u"Х"_s);
    qDebug() << "focus after type" << QApplication::focusWidget();
    pressKey(Qt::Key_Return);
    qDebug() << "focus after return" << QApplication::focusWidget() << cell(0, Fam);
}
