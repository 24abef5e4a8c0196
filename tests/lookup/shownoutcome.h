#pragma once

#include "lookup/search.h"
#include "messages/searchtext.h"

// A search's outcome as the window words it: the panel's text and the error handler's.
struct ShownOutcome {
    ShownOutcome(const lookup::SearchOutcome &outcome)
        : message(messages::panelText(outcome)), error(messages::searchErrorText(outcome)), red(outcome.red),
          rejected(outcome.rejected), phoneRefused(outcome.phoneRefused)
    {
    }

    std::optional<QString> message;
    QString error;
    std::array<bool, store::kEntryFieldCount> red;
    bool rejected;
    bool phoneRefused;
};
