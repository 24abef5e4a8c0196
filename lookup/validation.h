#pragma once

#include "lookup/search.h"

#include <QString>
#include <array>

namespace lookup {

// What the checks of the search fields found: the message of the last failing check (empty when
// the search may go on) and the fields to turn red.
struct Verdict {
    QString message;
    std::array<bool, store::kEntryFieldCount> red{};
};

// Runs every check in the window's order; none stops the others.
Verdict validate(const SearchFields &fields);

} // namespace lookup
