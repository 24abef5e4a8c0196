#pragma once

#include <QString>
#include <QStringList>

namespace store {
class StoreError;
}
namespace config {
struct ConfFileError;
}

// The user's words for what the store and the import report: one wording, shared by the window and
// the CLI, so that both say the same thing in Russian.
namespace messages {

QString errorText(const store::StoreError &error);
// A conf.cfg that cannot be used.
QString errorText(const config::ConfFileError &error);

// The title of a field's grid column (field: a store::EntryField, as a NotANumber error carries it);
// empty for any other number.
QString columnTitle(int field);

// One message per data file that is missing or cannot be used, in the order the user is told about
// them (see store::dataFileProblems); empty when the program may run.
QStringList missingDataFileMessages(const QString &server = {});

} // namespace messages
