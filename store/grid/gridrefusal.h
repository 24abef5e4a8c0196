#pragma once

namespace store {

// An edit the grid's model turns down, as happens in ordinary use: no failure of the store, so no
// error, but a value the model reports (GridModel::editRefused) and the window words
// (messages::refusalText).
struct GridRefusal {
    enum class Kind {
        NotANumber, // a number column holds a text; field says which
        RowDeleted, // the edited row is no longer in the store
        RowChanged, // another user changed the edited row meanwhile
        TextTooLong, // a text column holds more than kTextValueLimit characters; field says which
        NulInText,   // a text column holds a NUL character; field says which
    };
    static constexpr int kindCount = int(Kind::NulInText) + 1;

    Kind kind;
    int field = -1; // NotANumber, TextTooLong, NulInText: the field (EntryField) holding the text
};

} // namespace store
