#pragma once

#include "tests/support/scratchfolder.h"

#include <QList>
#include <QString>

#include <functional>

// The ways history.dat can be unusable: each one turns a folder that holds good data files into
// one whose history.dat no search can use.
struct BadHistory {
    QString name;
    std::function<void(const ScratchFolder &)> spoil;
    // The data-file check does not count it as the file at all (a directory, a pipe).
    bool countsAsMissing = false;
};

QList<BadHistory> badHistories();

// Fills tab, then overwrites part of every page behind the first two, where tab and its indexes lie.
void damagePages(const ScratchFolder &folder);

// Adds rows to tab through a plain SQLite connection, enough for the table to span many pages.
void fillTab(const QString &file, int rows);
// Runs statements on the file (created if missing) through a plain SQLite connection with the
// program's collation.
void alter(const QString &file, const char *statements);
