#include "jet/reader/jetdatetime.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

std::string jetDateTimeText(double stored)
{
    using namespace std::chrono;
    constexpr std::int64_t kMillisPerDay = 86400000;
    const double wholeDays = std::trunc(stored);
    auto millis = static_cast<std::int64_t>(std::llround(std::fabs(stored - wholeDays) * double(kMillisPerDay)));
    auto day = sys_days{1899y / December / 30} + days{static_cast<std::int64_t>(wholeDays)};
    if (millis >= kMillisPerDay) { // rounding reached midnight
        millis -= kMillisPerDay;
        day += days{1};
    }
    const year_month_day date{day};
    char text[48];
    int length = std::snprintf(text, sizeof text, "%04d-%02u-%02u %02lld:%02lld:%02lld", int(date.year()),
                               unsigned(date.month()), unsigned(date.day()), static_cast<long long>(millis / 3600000),
                               static_cast<long long>(millis / 60000 % 60), static_cast<long long>(millis / 1000 % 60));
    if (millis % 1000 != 0)
        length += std::snprintf(text + length, sizeof text - std::size_t(length), ".%03lld",
                                static_cast<long long>(millis % 1000));
    return std::string(text, std::size_t(length));
}
