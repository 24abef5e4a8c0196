#include "app/regionquestion.h"

#include "config/conffile.h"
#include "messages/datafoldertext.h"
#include "pages/windowplacement.h"
#include "text/cp1251.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace app {

namespace {

// Why conf.cfg cannot hold the name, or nothing when it can. The characters Windows-1251 lacks are
// named, so that the user sees what to change.
QString refusal(const QString &name)
{
    config::ConfFile conf;
    conf.region = name;
    if (config::confFileBytes(conf))
        return {};
    QStringList missing;
    for (const char32_t c : name.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        if (!cp1251::encode(character) && !missing.contains(character))
            missing.append(character);
    }
    return messages::regionNotEncodableText(missing);
}

} // namespace

RegionQuestion::RegionQuestion(const QString &text, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_field(new QLineEdit(this)), m_refusal(new QLabel(this))
{
    setObjectName(QStringLiteral("regionQuestion"));
    setWindowTitle(QStringLiteral("Регион справочника"));

    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(iconSize));
    auto *question = new QLabel(text, this);
    question->setObjectName(QStringLiteral("regionText"));
    question->setTextFormat(Qt::PlainText); // the folder's name is the user's
    question->setWordWrap(true);
    question->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    m_field->setObjectName(QStringLiteral("regionField"));
    m_refusal->setObjectName(QStringLiteral("regionRefusal"));
    m_refusal->setTextFormat(Qt::PlainText);
    m_refusal->setWordWrap(true);
    m_refusal->hide();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("okButton"));
    QPushButton *cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setText(QStringLiteral("Отмена"));

    auto *layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(question, 0, 1);
    layout->addWidget(m_field, 1, 1);
    layout->addWidget(m_refusal, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);

    connect(m_field, &QLineEdit::textChanged, this, &RegionQuestion::check);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    check();
}

QString RegionQuestion::region() const
{
    return m_field->text().trimmed();
}

void RegionQuestion::check()
{
    const QString why = refusal(region());
    m_refusal->setText(why);
    m_refusal->setVisible(!why.isEmpty());
    m_ok->setEnabled(!region().isEmpty() && why.isEmpty());
}

void RegionQuestion::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    pages::placeOnScreen(this);
}

std::optional<QString> RegionQuestion::ask(const QString &text)
{
    RegionQuestion box(text);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.region();
}

} // namespace app
