#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

// Readable failures: gtest prints Qt's strings as text rather than as arrays of code units.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &texts, std::ostream *out)
{
    *out << '[' << texts.join(QStringLiteral("|")).toStdString() << ']';
}
