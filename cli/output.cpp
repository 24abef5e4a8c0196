#include "output.h"

#include <QTextStream>

#include <cstdio>

namespace cli {

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

} // namespace

QString escaped(QStringView value)
{
    QString result;
    result.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\t':
            result += QLatin1String("\\t");
            break;
        case '\n':
            result += QLatin1String("\\n");
            break;
        case '\r':
            result += QLatin1String("\\r");
            break;
        case '\\':
            result += QLatin1String("\\\\");
            break;
        default:
            result += c;
        }
    }
    return result;
}

QString fieldText(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

void printRow(const QStringList &fields)
{
    QTextStream &stream = out();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            stream << '\t';
        stream << escaped(fields[i]);
    }
    stream << '\n';
}

void printLine(const QString &text)
{
    out() << text << '\n';
    out().flush();
}

void printError(const QString &text)
{
    out().flush();
    err() << text << '\n';
    err().flush();
}

void flushOutput()
{
    out().flush();
}

} // namespace cli
