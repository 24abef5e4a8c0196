#pragma once

#include <QString>
#include <ostream>

// gtest shows Qt's strings as text, not as arrays of code units.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
