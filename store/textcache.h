#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <vector>

namespace store {

// Converted texts of one connection's results, keyed by their UTF-8 bytes. Directory texts repeat
// heavily (a surname within its result, a few dozen names, patronymics and streets), so a cell
// usually shares a string converted before instead of converting and allocating its own.
//
// Direct-mapped: each text has one slot, and a different text landing there replaces it. A look-up
// is one cheap hash and one comparison, and the cache never grows beyond its slots.
class TextCache {
public:
    // The text as a QString; the same string for the same bytes while cached. The reference lasts
    // until the next call. A string, not a QVariant: a cell made from it copies it directly, where
    // copying a QVariant goes through its type's table.
    const QString &text(const char *utf8, int size);

    static constexpr std::size_t kSlots = 4096; // a power of two

private:
    struct Slot {
        QByteArray bytes;
        QString value;
        bool used = false;
    };

    static std::size_t slotOf(const char *utf8, int size);

    std::vector<Slot> m_slots = std::vector<Slot>(kSlots);
};

} // namespace store
