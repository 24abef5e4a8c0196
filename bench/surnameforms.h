#pragma once

#include <string>
#include <string_view>

namespace bench {

// The feminine form of a masculine Russian surname (UTF-8): -ов/-ев/-ёв/-ин/-ын take -а, -ий/-ой
// become -ая; Ukrainian and Siberian endings (-енко, -ук, -ых, ...) and bare consonants stay as
// they are.
std::string feminineForm(std::string_view masculine);

} // namespace bench
