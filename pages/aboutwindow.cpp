#include "pages/aboutwindow.h"

#include "pages/pixelfont.h"
#include "zelvik_version.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace pages {

namespace {

QLabel *placeLabel(QWidget *window, const char *name, const QString &text, int left, int top)
{
    auto *label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    label->setFont(pixelFont(QStringLiteral("Tahoma"), 11));
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

AboutWindow::AboutWindow(QWidget *parent) : FixedDialog(QSize(367, 124), Placement::CentreOnParent, parent)
{
    setWindowTitle(tr("О программе Zelvik"));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    // The program's icon, which the window registers among its resources.
    icon->setPixmap(QPixmap(QStringLiteral(":/zelvik.png")));
    icon->setGeometry(16, 8, 32, 32);

    placeLabel(this, "productLabel", tr("Zelvik - телефонные справочники"), 64, 8);
    placeLabel(this, "versionLabel", tr("Версия: %1").arg(QStringLiteral(ZELVIK_VERSION)), 64, 32);
    placeLabel(this, "creditLabel", tr("Разработка: команда Zelvik"), 64, 56);
    placeLabel(this, "dataCreditLabel", tr("Справочные данные: открытые источники"), 64, 80);
    placeLabel(this, "noticeLabel", tr("Распространяется свободно, без гарантий."), 64, 104);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setGeometry(280, 20, 75, 25);
    m_okButton->setDefault(false);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutWindow::showEvent(QShowEvent *event)
{
    FixedDialog::showEvent(event);
    m_okButton->setFocus(Qt::OtherFocusReason);
}

} // namespace pages
