#pragma once

#include <QString>

// Whether a shared library whose file name contains name is mapped into this process.
bool libraryLoaded(const QString &name);
