#pragma once

#include <QCommandLineOption>
#include <QString>

#include <optional>

namespace cli {

// "--separator SEP" of import-csv and export: a comma, a semicolon or a tab, by its sign or its name
// (a tab is hard to type on a command line).
extern const QCommandLineOption kSeparatorOption;

// The separator the option's value names; nothing when it names none.
std::optional<char> separatorNamed(const QString &text);
// "comma", "semicolon" or "tab".
QString separatorName(char separator);

} // namespace cli
