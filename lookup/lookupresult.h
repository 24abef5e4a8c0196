#pragma once

#include <QString>

namespace lookup {

// How a lookup ended: the message panel's text, or that it found nothing and would have had to add
// the entries it invents, which the login may not (then nothing was stored and the grid is empty).
struct LookupResult {
    QString message;
    bool additionRefused = false;
    bool phoneRefused = false; // the number does not fit the numbering scheme
};

} // namespace lookup
