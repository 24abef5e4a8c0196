#pragma once

#include "lookup/search.h"

#include <initializer_list>
#include <utility>

// The eight field texts of one press of "Найти", with the unnamed fields empty.
inline lookup::SearchFields fieldsOf(std::initializer_list<std::pair<store::EntryField, QString>> typed)
{
    lookup::SearchFields fields;
    for (const auto &[field, text] : typed)
        fields[field] = text;
    return fields;
}
