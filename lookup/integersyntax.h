#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace lookup {

// Width of the integer a search field holds: house and flat are 32-bit, the phone 64-bit.
enum class IntegerWidth { Bits32 = 32, Bits64 = 64 };

// The value of a house, flat or phone text, or nothing when the text is no integer.
// Accepted: leading spaces (only the space), an optional sign, then decimal digits or a hexadecimal
// number after "$", "x", "X", "0x" or "0X"; nothing may follow. Decimal values must fit the signed
// width; hexadecimal ones are two's-complement bit patterns of at most width/4 significant digits,
// so "$FFFFFFFF" is -1 at 32 bits, and a "-" negates the pattern read.
std::optional<std::int64_t> parseInteger(QStringView text, IntegerWidth width);

} // namespace lookup
