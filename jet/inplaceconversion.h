#pragma once

#include "jet/importerror.h"
#include "jet/importjet.h"

#include <QString>

namespace jet {

struct Conversion {
    QString original; // where the Jet file is kept: <path>.jet
    ImportSummary summary;
};

// Turns the Jet file at path into a store under the same name, keeping the original beside it as
// <path>.jet, never changed and never deleted. The new store is written to a temporary file first
// and renamed over path only when complete, so a failure, or the process killed at any moment,
// leaves path as it was. Throws jet::ImportError; messages words what it did (messages/importtext.h).
Conversion convertInPlace(const QString &path, const ProgressFn &progress = {}, const ImportOptions &options = {});

} // namespace jet
