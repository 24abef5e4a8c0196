#pragma once

#include "lookup/picktables.h"

#include <QStringView>

namespace lookup {

// Which reference tables an invented entry's given name and patronymic come from, and how its
// picked surname ends.
struct GenderSet {
    PickTable names;
    PickTable patronymics;
    QStringView surnameSuffix;
};

inline constexpr GenderSet maleSet{{QLatin1StringView("im"), QLatin1StringView("im"), 39},
                                   {QLatin1StringView("ot"), QLatin1StringView("ot"), 39},
                                   QStringView()};
inline constexpr GenderSet femaleSet{{QLatin1StringView("im2"), QLatin1StringView("im"), 23},
                                     {QLatin1StringView("ot2"), QLatin1StringView("ot"), 39},
                                     QStringView(u"а")};

} // namespace lookup
