#pragma once

#include "lookup/search.h"

#include <array>

namespace app {

// Object names of the search fields, in the order of lookup::Field. Tests and accessibility tools
// find the fields by these names.
inline constexpr std::array<const char *, lookup::FieldCount> kSearchFieldNames{
    "surnameField", "givenNameField", "patronymicField", "phoneField",
    "streetField",  "houseField",     "fractionField",   "flatField"};

} // namespace app
