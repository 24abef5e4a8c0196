#pragma once

#include <QLatin1StringView>
#include <cstdint>

namespace lookup {

// A reference table an invented entry picks a text from: a draw of count gives an id from 1 to
// count, and the text of the row with that id goes into the entry (an empty one without the row).
struct PickTable {
    QLatin1StringView table;
    QLatin1StringView column;
    std::uint32_t count;
};

inline constexpr PickTable surnameTable{QLatin1StringView("fam"), QLatin1StringView("fam"), 58};
inline constexpr PickTable streetTable{QLatin1StringView("ul"), QLatin1StringView("ul"), 52};

} // namespace lookup
