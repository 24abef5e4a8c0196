#pragma once

#include <QLatin1StringView>

#include <array>

namespace store {

// The eight fields of a directory entry, each a column of the table tab, in the one order the
// program knows them by: tab's columns after id, the window's search fields and the grid's columns
// alike (a grid column's number is its field). Surname first, flat last.
enum EntryField : int {
    Surname,    // фамилия
    GivenName,  // имя
    Patronymic, // отчество
    Phone,      // телефон
    Street,     // улица
    House,      // дом
    Fraction,   // дробь номера дома, the "/" column: 12/2
    Flat,       // квартира
};
inline constexpr int kEntryFieldCount = Flat + 1;

// The column of tab that holds the field.
constexpr QLatin1StringView columnName(EntryField field)
{
    constexpr std::array<QLatin1StringView, kEntryFieldCount> columns{
        QLatin1StringView("fam"), QLatin1StringView("im"),  QLatin1StringView("ot"),   QLatin1StringView("tele"),
        QLatin1StringView("ul"),  QLatin1StringView("dom"), QLatin1StringView("domd"), QLatin1StringView("kv"),
    };
    return columns[field];
}

// House and flat are long integers, as in the Jet table the program was made for; the others are text.
constexpr bool holdsNumber(EntryField field)
{
    return field == House || field == Flat;
}

} // namespace store
