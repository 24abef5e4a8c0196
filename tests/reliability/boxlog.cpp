#include "tests/reliability/boxlog.h"

BoxLog::BoxLog()
{
    app::MessageBoxes::clearShown();
    app::MessageBoxes::setAnswerer([](const app::MessageBoxes::Shown &) { return QMessageBox::Ok; });
}

BoxLog::~BoxLog()
{
    app::MessageBoxes::setAnswerer(nullptr);
    app::MessageBoxes::clearShown();
}

QStringList BoxLog::texts() const
{
    QStringList texts;
    for (const auto &box : app::MessageBoxes::shown())
        texts << box.text;
    return texts;
}

QStringList BoxLog::failures() const
{
    QStringList texts;
    for (const auto &box : app::MessageBoxes::shown())
        if (box.kind == app::MessageBoxes::Kind::Failure)
            texts << box.text;
    return texts;
}

void BoxLog::clear()
{
    app::MessageBoxes::clearShown();
}
