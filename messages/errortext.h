#pragma once

#include "config/conffile.h"

#include <QString>
#include <QStringList>

#include <chrono>

namespace store {
class StoreError;
struct GridRefusal;
}
namespace config {
struct ConfFileError;
}

// The user's words for what the store reports: one wording, shared by the window and the CLI, so
// that both say the same thing in Russian. The store gives kinds and details, never sentences; each
// kind is worded here, with the engine's own message (SQLite's or the server's) as a detail where
// there is one. The import's failures are worded in messages/importtext.h.
namespace messages {

QString errorText(const store::StoreError &error);
// A conf.cfg that cannot be used.
QString errorText(const config::ConfFileError &error);

// What a command that failed did not do, so the user knows everything is as it was before it.
enum class NothingDone { Changed, Added, Copied };
QString nothingDoneText(NothingDone nothing);
// The error's text, then on a line of its own what was not done, in the same language.
QString errorText(const store::StoreError &error, NothingDone nothing);
// A line of an input file the store refused: the line's number (from 1), then the error's text.
QString lineErrorText(qint64 line, const store::StoreError &error);

// The grid's refusal of an edit.
QString refusalText(const store::GridRefusal &refusal);

// A connection string that holds a password (a warning about conf.cfg; it still works).
QString passwordInConnectionText();

// The replica named cannot be read, so searches run on the directory's server (they still work).
QString replicaUnavailableText(const QString &replicaName);

// One message per data file that is missing or cannot be used, in the order the user is told about
// them (see store::dataFileProblems); empty when the program may run.
QStringList missingDataFileMessages(const QString &server = {},
                                    std::chrono::milliseconds timeout = config::kServerTimeout);

} // namespace messages
