#pragma once

#include <QLatin1StringView>
#include <QStringView>
#include <cstdint>

namespace lookup {

// Which reference tables an invented entry's given name and patronymic come from, and how its
// picked surname ends.
struct GenderSet {
    QLatin1StringView nameTable;
    std::uint32_t nameCount;
    QLatin1StringView patronymicTable;
    std::uint32_t patronymicCount;
    QStringView surnameSuffix;
};

inline constexpr GenderSet maleSet{QLatin1StringView("im"), 39, QLatin1StringView("ot"), 39, QStringView()};
inline constexpr GenderSet femaleSet{QLatin1StringView("im2"), 23, QLatin1StringView("ot2"), 39, QStringView(u"а")};

} // namespace lookup
