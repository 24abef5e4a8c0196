#pragma once

#include "directoryfile.h"

#include <QTemporaryDir>

// A new directory file (tables, indexes, sample reference data) in a folder removed afterwards.
class ScratchDirectory {
public:
    ScratchDirectory() { store::createDirectoryFile(path()); }
    QString path() const { return m_folder.filePath(QStringLiteral("history.dat")); }
    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};
