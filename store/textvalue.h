#pragma once

#include "store/storeerror.h"

#include <QStringView>
#include <QVariant>

#include <optional>
#include <string_view>

namespace store {

// Why a text value may not be written to the store. libpq reads a text only up to a NUL, so the
// server would keep a silently cut value where the file keeps the whole one; and a text longer than
// kTextValueLimit is refused so that whatever one store takes, the other holds too.
enum class TextFault {
    None,
    Nul,     // it holds a NUL character
    TooLong, // it is longer than kTextValueLimit characters
};

TextFault textFault(QStringView text);
// The same for UTF-8 text, as a statement's literals are kept.
TextFault textFault(std::string_view utf8);
// A cell of any kind (a value of a write, a cell of a bulk append): only a text can fault.
TextFault cellFault(const QVariant &cell);

// The refusal of the text (NulInText or TextTooLong), which shows where it begins; nullopt when it
// may be written.
std::optional<StoreError> textRefusal(QStringView text);
std::optional<StoreError> textRefusal(std::string_view utf8);

} // namespace store
