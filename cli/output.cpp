#include "cli/output.h"

#include "transfer/csv.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace cli {

namespace {

// Unbuffered: the text stream and an export each buffer their own, and every write reaches the
// system at once, where its failure is seen.
QFile &outputFile()
{
    static QFile file;
    if (!file.isOpen())
        file.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
    return file;
}

QTextStream &out()
{
    static QTextStream stream(&outputFile());
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void stopIfRefused()
{
    if (outputFailure())
        throw OutputRefused{};
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

QIODevice &standardOutput()
{
    return outputFile();
}

std::optional<QString> outputFailure()
{
    const QFile &file = outputFile();
    if (!file.isOpen())
        return QStringLiteral("standard output is not open");
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return std::nullopt;
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
    stopIfRefused();
}

void printLine(const QString &text)
{
    out() << text << '\n';
    out().flush();
    stopIfRefused();
}

void printError(const QString &text)
{
    out().flush();
    err() << text << '\n';
    err().flush();
}

bool flushOutput()
{
    out().flush();
    return !outputFailure();
}

} // namespace cli
