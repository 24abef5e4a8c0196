#pragma once

#include "bench/phonenumbers.h"
#include "bench/referencenames.h"
#include "bench/surnamemodel.h"

#include <cstdint>
#include <iterator>
#include <random>
#include <string>

namespace bench {

// One row of tab, in UTF-8, as the directory stores it.
struct GeneratedEntry {
    std::string fam, im, ot, tele, ul, domd;
    std::int64_t dom = 0;
    std::int64_t kv = 0;
    bool female = false;
};

// Directory entries from a fixed seed: the same seed gives the same entries in the same order.
// Half are women, with the feminine surname and the female name tables; the phone of entry i is
// number i of PhoneNumbers, so no two entries share one.
class EntryGenerator {
public:
    EntryGenerator(SurnameModel &surnames, const ReferenceNames &names, std::uint64_t seed);

    // The next entry, written over `entry` so that its buffers are reused.
    void next(GeneratedEntry &entry);
    std::uint64_t made() const { return m_made; }
    std::uint64_t capacity() const { return m_phones.capacity(); }

private:
    template <class Container>
    const auto &pickFrom(const Container &c)
    {
        return c[std::uniform_int_distribution<std::size_t>(0, std::size(c) - 1)(m_engine)];
    }

    SurnameModel &m_surnames;
    const ReferenceNames &m_names;
    PhoneNumbers m_phones;
    std::mt19937_64 m_engine;
    std::uint64_t m_made = 0;
};

} // namespace bench
