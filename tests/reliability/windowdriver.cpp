#include "windowdriver.h"

#include "mainwindow.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit *field(TForm1 &form, lookup::Field f)
{
    // Edit1 to Edit8 are the search fields in the order of lookup::Field.
    return form.findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(int(f) + 1));
}

} // namespace

WindowDriver::WindowDriver() : m_form(std::make_unique<TForm1>())
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

void WindowDriver::fill(lookup::Field f, const QString &text)
{
    field(*m_form, f)->setText(text);
}

void WindowDriver::clearFields()
{
    for (int f = 0; f < lookup::FieldCount; ++f)
        fill(lookup::Field(f), QString());
}

QString WindowDriver::find()
{
    m_form->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    settle();
    return m_form->messagePanel();
}

QString WindowDriver::find(const QString &surname)
{
    clearFields();
    fill(lookup::Surname, surname);
    return find();
}

void WindowDriver::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}
