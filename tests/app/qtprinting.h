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

#include <QRect>

inline std::ostream &operator<<(std::ostream &out, const QRect &r)
{
    return out << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

inline void PrintTo(const QRect &r, std::ostream *out)
{
    *out << r;
}
