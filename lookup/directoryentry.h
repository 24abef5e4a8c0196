#pragma once

#include <QString>
#include <cstdint>

namespace lookup {

// One entry of the telephone directory, a row of the table tab without its id: one member per
// store::EntryField, in that order, which is tab's column order (fam, im, ot, tele, ul, dom, domd, kv).
struct DirectoryEntry {
    QString surname;
    QString givenName;
    QString patronymic;
    QString phone;
    QString street;
    std::int32_t house = 0;
    QString fraction;
    std::int32_t flat = 0;

    bool operator==(const DirectoryEntry &) const = default;
};

} // namespace lookup
