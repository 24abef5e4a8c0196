#pragma once

#include <QtGlobal>

namespace lookup {

// How a lookup ended, as a kind and its number; messages/ words it for the message panel.
struct LookupResult {
    enum class Kind {
        Found,            // number: the entries a name lookup found, or invented on a miss
        SubscriberFound,  // a phone lookup found the number
        PhoneInvented,    // a phone lookup invented the number's entry; the panel stays empty
        PhoneNotFound,    // the number does not fit the numbering scheme
        PhoneWrongLength, // so does it; number: how many last digits the scheme wants
        // Nothing was found, and the login may not add the entries a miss invents: nothing was
        // stored and the grid is empty.
        AdditionRefused,
    };
    Kind kind = Kind::Found;
    qint64 number = 0;

    bool phoneRefused() const { return kind == Kind::PhoneNotFound || kind == Kind::PhoneWrongLength; }
};

} // namespace lookup
