#include "tests/reliability/windowdriver.h"

#include "app/mainwindow.h"
#include "app/searchfieldnames.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit *field(app::MainWindow &form, store::EntryField f)
{
    return form.findChild<QLineEdit *>(QLatin1String(app::kSearchFieldNames[f]));
}

} // namespace

WindowDriver::WindowDriver() : m_form(std::make_unique<app::MainWindow>())
{
    m_form->show();
    settle();
}

WindowDriver::~WindowDriver()
{
    m_form.reset();
    settle();
}

bool WindowDriver::isOpen() const
{
    return m_form->isVisible();
}

void WindowDriver::fill(store::EntryField f, const QString &text)
{
    field(*m_form, f)->setText(text);
}

void WindowDriver::clearFields()
{
    for (int f = 0; f < store::kEntryFieldCount; ++f)
        fill(store::EntryField(f), QString());
}

QString WindowDriver::find()
{
    m_form->findChild<QPushButton *>(QStringLiteral("searchButton"))->click();
    settle();
    return m_form->findChild<QLabel *>(QStringLiteral("messagePanel"))->text();
}

QString WindowDriver::find(const QString &surname)
{
    clearFields();
    fill(store::EntryField::Surname, surname);
    return find();
}

void WindowDriver::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}
