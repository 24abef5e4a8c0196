#include "cli/output.h"

#include "transfer/csv.h"

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
    QByteArray field;
    transfer::appendField(field, value.toUtf8(), transfer::Format::Tsv);
    return QString::fromUtf8(field);
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
