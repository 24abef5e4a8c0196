#pragma once

#include <cstdint>

namespace store {
class QueryChannel;
}

namespace lookup {

// The numbering scheme of the param row: s non-zero means ten-digit numbers that begin with a
// prefix from tel; s zero means numbers of exactly tel digits.
struct PhoneScheme {
    std::int64_t s = 0;
    std::int64_t tel = 0;
};

// Runs the phone-scheme statement. Throws store::DatabaseError when the param row is missing or
// s or tel is null: either would let a search invent entries under a scheme nobody configured.
PhoneScheme readPhoneScheme(store::QueryChannel &channel);

} // namespace lookup
