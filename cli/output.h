#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace cli {

// One value as a field of a tab-separated line: tab, line feed, carriage return and backslash
// are written \t, \n, \r and \\, so every line is one row and the fields split on tabs.
QString escaped(QStringView value);
// The text of a stored value; NULL is empty.
QString fieldText(const QVariant &value);

// The fields, escaped, tab-separated, as one line on standard output.
void printRow(const QStringList &fields);
// A line on standard output, as it is.
void printLine(const QString &text);
// A line on standard error, after what standard output holds so far.
void printError(const QString &text);
// Standard output is buffered; main flushes it when the command returns.
void flushOutput();

} // namespace cli
