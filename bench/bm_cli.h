#pragma once

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace bench {

// Runs the program at path in the directory's folder with the arguments and the rare surname, timed
// from start to exit with all of its output read, which must be the surname's rows.
void wholeProcess(benchmark::State &state, const QString &path, QStringList arguments);

// `zelvik-cli find` as a whole process (start, answer, exit) against a program that does the same
// lookup with QtCore and raw SQLite alone, and one with SQLite alone. Registered at run time with
// as many runs as the start-up pair.
void registerCliBenchmarks(int runs);

} // namespace bench
