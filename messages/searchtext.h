#pragma once

#include <QString>

#include <exception>
#include <optional>

namespace lookup {
struct LookupResult;
struct SearchOutcome;
struct Verdict;
}

// The words of a search: the lookups give kinds and numbers, and the window and `zelvik-cli find`
// show them as they are worded here.
namespace messages {

// The checks' refusal of the fields; empty when they passed.
QString verdictText(const lookup::Verdict &verdict);
// The message panel's text after a lookup (empty when a number's subscriber was invented).
QString lookupText(const lookup::LookupResult &result);
// The message panel's new text; nullopt leaves it as it was (the connection failed first).
std::optional<QString> panelText(const lookup::SearchOutcome &outcome);
// Text for the application's default error handler when the search could not end well; empty otherwise.
QString searchErrorText(const lookup::SearchOutcome &outcome);

// What the default error handler shows for a failure that ended a search: the store's own text,
// or a Russian one for anything else (memory running out, a fault of the program).
QString failureText(const std::exception &failure);

} // namespace messages
