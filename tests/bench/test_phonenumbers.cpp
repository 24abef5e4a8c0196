#include "bench/phonenumbers.h"

#include <gtest/gtest.h>

#include <unordered_set>

using bench::PhoneNumbers;

// More numbers than the largest directory the benchmarks make, behind a single prefix.
TEST(PhoneNumbers, NoNumberComesTwice)
{
    const PhoneNumbers phones({"495"});
    ASSERT_EQ(phones.capacity(), 9'000'000u);
    std::vector<bool> seen(10'000'000);
    std::string phone;
    for (std::uint64_t i = 0; i < 6'000'000; ++i) {
        phones.format(i, phone);
        ASSERT_EQ(phone.size(), 10u);
        ASSERT_EQ(phone.compare(0, 3, "495"), 0) << phone;
        ASSERT_NE(phone[3], '0') << phone;
        std::size_t subscriber = 0;
        for (std::size_t d = 3; d < 10; ++d)
            subscriber = subscriber * 10 + std::size_t(phone[d] - '0');
        ASSERT_FALSE(seen[subscriber]) << phone;
        seen[subscriber] = true;
    }
}

TEST(PhoneNumbers, UseEveryPrefixAndOnlyDigits)
{
    const PhoneNumbers phones({"495", "916", "812"});
    std::unordered_set<std::string> prefixes, numbers;
    std::string phone;
    for (std::uint64_t i = 0; i < 30'000; ++i) {
        phones.format(i, phone);
        ASSERT_EQ(phone.find_first_not_of("0123456789"), std::string::npos) << phone;
        prefixes.insert(phone.substr(0, 3));
        ASSERT_TRUE(numbers.insert(phone).second) << phone;
    }
    EXPECT_EQ(prefixes, (std::unordered_set<std::string>{"495", "916", "812"}));
}

TEST(PhoneNumbers, NeighbouringEntriesGetUnrelatedNumbers)
{
    const PhoneNumbers phones({"495"});
    std::string a, b;
    phones.format(0, a);
    phones.format(1, b);
    EXPECT_NE(a.substr(0, 8), b.substr(0, 8));
}

TEST(PhoneNumbers, RefuseAnEmptyPrefixTable)
{
    EXPECT_THROW(PhoneNumbers({}), std::invalid_argument);
}
