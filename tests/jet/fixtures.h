#pragma once

#include "jet/importjet.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

// The Jet sample files, where the shared fixtures lie; tests skip when they are absent.
inline QString fixture(const char *name)
{
    return QDir(QStringLiteral(ZELVIK_JET_FIXTURES)).filePath(QString::fromUtf8(name));
}

#define REQUIRE_FIXTURE(name)                                                                                          \
    do {                                                                                                               \
        if (!QFileInfo::exists(fixture(name)))                                                                         \
            GTEST_SKIP() << "no Jet sample file " << name;                                                             \
    } while (false)

// The reader this build made, with limits small enough for tests.
inline jet::ImportOptions testImportOptions()
{
    jet::ImportOptions options;
    options.readerProgram = QStringLiteral(ZELVIK_JET_READER);
    options.limits.stallMs = 20000;
    options.limits.stderrBytes = 64 * 1024;
    return options;
}
