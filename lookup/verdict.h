#pragma once

#include "store/entryfield.h"

#include <array>

namespace lookup {

// What the checks of the search fields found, as a kind; messages/ words it.
struct Verdict {
    enum class Kind {
        Passed,          // the search may go on
        NothingToSearch, // neither a surname nor a phone number
        BadFormat,       // field: the last field whose check failed
    };
    Kind kind = Kind::Passed;
    store::EntryField field = store::EntryField::Surname;
    // Fields whose text turns pure red.
    std::array<bool, store::kEntryFieldCount> red{};

    bool passed() const { return kind == Kind::Passed; }
};

} // namespace lookup
