#pragma once

#include "store/entryfield.h"

#include <QString>

// The eight fields' words, in one table: the grid's column titles, the search form's labels, the
// messages that name a field and `zelvik-cli find`'s options all take them from here.
namespace messages {

struct FieldWords {
    QString title;      // over the grid's column and beside the search field
    QString name;       // a field's name standing alone ("/" says nothing there)
    QString inSentence; // as a sentence names it after a colon
};

const FieldWords &fieldWords(store::EntryField field);

// The title of a field's grid column (field: a store::EntryField, as a NotANumber error carries it);
// empty for any other number.
QString columnTitle(int field);

} // namespace messages
