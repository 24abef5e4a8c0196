#pragma once

#include <QString>

namespace jet {
class ImportError;
}

// The user's words for a Jet import and the conversion of a Jet directory in place: the window
// and the CLI say the same, in Russian. jet/ throws kinds (jet::ImportError); they are worded here.
namespace messages {

QString errorText(const jet::ImportError &error);

// The window's texts around the conversion of the Jet file at path (original: where it is kept).
QString conversionProgressText(const QString &path);
QString conversionDoneText(const QString &path, const QString &original);
QString conversionFailedText(const QString &path, const jet::ImportError &error);

} // namespace messages
