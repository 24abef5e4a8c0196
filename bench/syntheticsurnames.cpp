#include "bench/syntheticsurnames.h"

#include <array>
#include <string_view>

namespace bench {

namespace {

// Every syllable is a consonant and a vowel, and the stem closes with a consonant before the
// ending, so a name splits back into its parts in one way only: different indexes, different names.
constexpr std::array<std::string_view, 15> kOnsetCapital = {"Б", "В", "Г", "Д", "З", "К", "Л", "М",
                                                            "Н", "П", "Р", "С", "Т", "Х", "Ш"};
constexpr std::array<std::string_view, 15> kOnset = {"б", "в", "г", "д", "з", "к", "л", "м",
                                                     "н", "п", "р", "с", "т", "х", "ш"};
constexpr std::array<std::string_view, 5> kVowel = {"а", "о", "у", "е", "и"};
constexpr std::array<std::string_view, 14> kCoda = {"б", "в", "г", "д", "з", "к", "л",
                                                    "м", "н", "п", "р", "т", "х", "ш"};
// No ending is the end of another, and none ends like a feminine form of another (-ова, -ская).
constexpr std::array<std::string_view, 10> kEnding = {"ов", "ев", "ин", "ский", "енко",
                                                      "ук", "ых",  "ич", "ак",   "ец"};

constexpr std::uint64_t kSyllables = kOnset.size() * kVowel.size();

} // namespace

std::uint64_t syntheticSurnameCount()
{
    return kSyllables * kSyllables * kCoda.size() * kEnding.size();
}

std::string syntheticSurname(std::uint64_t index)
{
    index %= syntheticSurnameCount();
    const auto take = [&index](std::uint64_t radix) {
        const std::uint64_t digit = index % radix;
        index /= radix;
        return digit;
    };
    const std::uint64_t ending = take(kEnding.size());
    const std::uint64_t coda = take(kCoda.size());
    const std::uint64_t second = take(kSyllables);
    const std::uint64_t first = take(kSyllables);

    std::string name;
    name.reserve(32);
    name.append(kOnsetCapital[first / kVowel.size()]).append(kVowel[first % kVowel.size()]);
    name.append(kOnset[second / kVowel.size()]).append(kVowel[second % kVowel.size()]);
    name.append(kCoda[coda]).append(kEnding[ending]);
    return name;
}

} // namespace bench
