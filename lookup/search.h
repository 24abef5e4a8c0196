#pragma once

#include "lookup/lookupresult.h"
#include "lookup/verdict.h"
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

// What one press of "Найти" leaves for the window to show, as kinds and values; messages/ words it
// (messages/searchtext.h).
struct SearchOutcome {
    // What the checks found; nullopt when the connection failed first, which leaves the panel as it was.
    std::optional<Verdict> verdict;
    // How the lookup ended, when it ran to its end.
    std::optional<LookupResult> result;
    // What ended the search when the store or anything else failed: a std::exception.
    std::exception_ptr failure;
    // The login may not read entries; no lookup ran.
    bool readRefused = false;
    // Fields whose text turns pure red.
    std::array<bool, store::kEntryFieldCount> red{};
    // The checks refused the fields; no lookup ran and the grid keeps its rows.
    bool rejected = false;
    // The numbering scheme refused the phone; the grid shows no rows.
    bool phoneRefused = false;
};

// The whole search behind "Найти": connect, validate, then the lookup by name or by phone.
// The grid shows whatever result the channel holds afterwards.
SearchOutcome search(store::QueryChannel &channel, RandomSource &random, const SearchFields &fields);

} // namespace lookup
