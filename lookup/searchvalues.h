#pragma once

#include "lookup/search.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace lookup {

// The search fields as the lookups use them, read once the checks have passed.
struct SearchValues {
    QString surname;    // as typed
    QString givenName;  // as typed
    QString patronymic; // as typed
    QString phone;      // as typed
    QString street;     // as typed
    QString fraction;   // as typed, never checked
    // Value of the house and flat fields; nothing when the field is empty. A typed 0 is a value for
    // the lookup's filter but counts as "not given" when an entry is invented.
    std::optional<std::int32_t> house;
    std::optional<std::int32_t> flat;

    std::int32_t houseOrZero() const { return house.value_or(0); }
    std::int32_t flatOrZero() const { return flat.value_or(0); }
};

// Only for fields that passed validate(): an unreadable number would count as empty.
SearchValues collect(const SearchFields &fields);

} // namespace lookup
