#pragma once

#include <string>

// A Jet date/time value as "YYYY-MM-DD HH:MM:SS", with ".mmm" only when there are milliseconds:
// the text SQLite's date functions read. Jet counts days since 1899-12-30 in the whole part and
// the time of day in the fraction, which runs forwards even before 1899 (-1.25 is 1899-12-29 06:00).
std::string jetDateTimeText(double stored);
