#include "bench/inventingsearch.h"

#include "lookup/randomsource.h"

namespace bench {

namespace {

constexpr std::uint32_t kEntryChoices = 5; // a search invents draw(5) entries

} // namespace

std::uint32_t seedInventingFour()
{
    for (std::uint32_t seed = 1;; ++seed) {
        lookup::RandomSource random;
        random.setFixedSeed(seed);
        random.reseed();
        if (random.draw(kEntryChoices) == kInvented)
            return seed;
    }
}

QString unheardSurname(std::uint64_t n)
{
    static const QString digits = QStringLiteral("бвгдежзийклмнопрстуфхцчшщыьэюя");
    QString name = QStringLiteral("Ъ");
    do {
        name += digits[qsizetype(n % std::uint64_t(digits.size()))];
        n /= std::uint64_t(digits.size());
    } while (n > 0);
    return name;
}

lookup::SearchFields surnameOnly(const QString &surname)
{
    lookup::SearchFields fields;
    fields[store::EntryField::Surname] = surname;
    return fields;
}

} // namespace bench
