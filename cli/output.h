#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace cli {

// One value as a field of a tab-separated line: tab, line feed, carriage return and backslash
// are written \t, \n, \r and \\, so every line is one row and the fields split on tabs.
QString escaped(QStringView value);
// The text of a stored value; NULL is empty.
QString fieldText(const QVariant &value);

// Everything a command prints goes to standard output through this one device, so that a write it
// refuses (a full disk, a closed pipe) is noticed whichever command, or which layer below, wrote.
QIODevice &standardOutput();
// Why standard output refused a write (the system's reason), or nothing while every write went
// through. Once it has refused one, what it shows is incomplete.
std::optional<QString> outputFailure();
// Makes every way standard output can fail a write it refuses: a reader that closed the pipe (which
// would otherwise end the program by SIGPIPE without a word) and a standard output closed from the
// start (whose number the next file or socket opened would otherwise take). Called once, first.
void catchOutputFailures();
// Thrown by printRow and printLine once standard output has refused a write: the command stops
// there, since nothing more it prints can arrive, and main reports it.
struct OutputRefused {};

// The fields, escaped, tab-separated, as one line on standard output.
void printRow(const QStringList &fields);
// A line on standard output, as it is.
void printLine(const QString &text);
// A line on standard error, after what standard output holds so far. Never throws.
void printError(const QString &text);
// Standard output is buffered; main flushes it when the command returns. False when standard
// output has refused a write, now or before.
bool flushOutput();

} // namespace cli
