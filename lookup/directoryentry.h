#pragma once

#include <QString>
#include <cstdint>

namespace lookup {

// One row of the directory table tab, in its column order.
struct DirectoryEntry {
    QString fam;
    QString im;
    QString ot;
    QString tele;
    QString ul;
    std::int32_t dom = 0;
    QString domd;
    std::int32_t kv = 0;

    bool operator==(const DirectoryEntry &) const = default;
};

} // namespace lookup
