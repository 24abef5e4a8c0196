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
    std::int64_t tel = 0; // 0 when s is non-zero: only the fixed-length scheme reads it
};

// The length a number of the fixed-length scheme may have: a phone field holds a 64-bit number,
// whose longest spelling has twenty characters.
inline constexpr std::int64_t kLongestPhone = 20;

// Runs the phone-scheme statement. Throws store::StoreError when the param row is missing, s is
// null, or s is zero and tel is null or no length a phone number can have: each would let a search
// invent entries under a scheme nobody configured, or build a number without end.
PhoneScheme readPhoneScheme(store::QueryChannel &channel);

} // namespace lookup
