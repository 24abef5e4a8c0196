#pragma once

#include <QString>
#include <ostream>

// gtest prints QString (and lists of them) as readable UTF-8 instead of raw bytes.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
