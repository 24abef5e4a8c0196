#pragma once

#include <cstdint>

namespace store {
class QueryChannel;
}

namespace lookup {

// The numbering scheme of the param row, whose columns are s and tel: s non-zero means prefixed
// numbers (below); s zero means numbers of exactly tel digits, at most store::kLongestPhone.
struct PhoneScheme {
    bool prefixed = false;        // s is non-zero
    std::int64_t fixedLength = 0; // tel; 0 when prefixed: only the fixed-length scheme reads it
};

// A number of the prefixed scheme: a prefix of three characters from the table tel, then seven
// digits, the first of them never 0; ten characters in all.
inline constexpr int kPrefixedLength = 10;
inline constexpr int kPrefixLength = 3;
inline constexpr int kDigitsAfterPrefix = kPrefixedLength - kPrefixLength;

// Runs the phone-scheme statement. Throws store::StoreError when the param row is missing, s is
// null, or s is zero and tel is null or no length a phone number can have: each would let a search
// invent entries under a scheme nobody configured, or build a number without end.
PhoneScheme readPhoneScheme(store::QueryChannel &channel);

} // namespace lookup
