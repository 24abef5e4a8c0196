#pragma once

#include <span>
#include <string_view>

namespace bench {

// Real Russian surnames in their masculine form, the most frequent first: the head of the
// directory's surname distribution. UTF-8.
std::span<const std::string_view> commonSurnames();

} // namespace bench
