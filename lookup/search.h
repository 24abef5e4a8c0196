#pragma once

#include "store/entryfield.h"

#include <QString>
#include <array>
#include <exception>
#include <optional>

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;

// The text of the eight search fields, one per field of an entry, in its order.
struct SearchFields {
    std::array<QString, store::kEntryFieldCount> text;
    QString &operator[](store::EntryField f) { return text[f]; }
    const QString &operator[](store::EntryField f) const { return text[f]; }
};

// What one press of "Найти" leaves for the window to show.
struct SearchOutcome {
    // New text of the message panel; nullopt leaves the panel as it was (connect failed first).
    std::optional<QString> message;
    // Fields whose text turns pure red.
    std::array<bool, store::kEntryFieldCount> red{};
    // Text for the application's default error handler when the store or anything else failed;
    // empty otherwise.
    QString error;
    // The checks refused the fields (message says why); no lookup ran and the grid keeps its rows.
    bool rejected = false;
    // The numbering scheme refused the phone (message says why); the grid shows no rows.
    bool phoneRefused = false;
};

// What the default error handler shows for a failure that ended a search: the store's own text,
// or a Russian one for anything else (memory running out, a fault of the program).
QString failureText(const std::exception &failure);

// The whole search behind "Найти": connect, validate, then the lookup by name or by phone.
// The grid shows whatever result the channel holds afterwards.
SearchOutcome search(store::QueryChannel &channel, RandomSource &random, const SearchFields &fields);

} // namespace lookup
