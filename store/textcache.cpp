#include "store/textcache.h"

#include <cstdint>
#include <cstring>

namespace store {

namespace {

std::uint64_t load8(const char *bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

} // namespace

// Directory texts are short Cyrillic words: their length and first and last letters tell most of
// them apart, so those bytes (not every byte) are mixed into the slot number.
std::size_t TextCache::slotOf(const char *utf8, int size)
{
    std::uint64_t h = std::uint64_t(size) << 56;
    if (size >= 8) {
        h ^= load8(utf8) + load8(utf8 + size - 8) * 0x9E3779B97F4A7C15ull;
    } else {
        for (int i = 0; i < size; ++i)
            h ^= std::uint64_t(std::uint8_t(utf8[i])) << (8 * i);
    }
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return std::size_t(h) & (kSlots - 1);
}

const QString &TextCache::text(const char *utf8, int size)
{
    Slot &slot = m_slots[slotOf(utf8, size)];
    if (slot.used && slot.bytes.size() == size && std::memcmp(slot.bytes.constData(), utf8, std::size_t(size)) == 0)
        return slot.value;
    slot.bytes = QByteArray(utf8, size);
    slot.value = QString::fromUtf8(utf8, size);
    slot.used = true;
    return slot.value;
}

} // namespace store
