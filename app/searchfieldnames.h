#pragma once

#include "store/entryfield.h"

#include <array>

namespace app {

// Object names of the search fields, in the order of store::EntryField. Tests and accessibility tools
// find the fields by these names.
inline constexpr std::array<const char *, store::kEntryFieldCount> kSearchFieldNames{
    "surnameField", "givenNameField", "patronymicField", "phoneField",
    "streetField",  "houseField",     "fractionField",   "flatField"};

// Object names of the labels beside them, in the same order.
inline constexpr std::array<const char *, store::kEntryFieldCount> kSearchLabelNames{
    "surnameLabel", "givenNameLabel", "patronymicLabel", "phoneLabel",
    "streetLabel",  "houseLabel",     "fractionLabel",   "flatLabel"};

} // namespace app
