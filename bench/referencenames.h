#pragma once

#include <string>
#include <vector>

namespace bench {

// The program's own sample reference tables (the ones every new history.dat gets), as UTF-8, so
// that generated entries use the names, streets and phone prefixes the program itself draws.
struct ReferenceNames {
    std::vector<std::string> maleNames;          // im
    std::vector<std::string> femaleNames;        // im2
    std::vector<std::string> malePatronymics;    // ot
    std::vector<std::string> femalePatronymics;  // ot2
    std::vector<std::string> streets;            // ul
    std::vector<std::string> phonePrefixes;      // tel
};

// Throws store::StoreError (from the store's sample data) when the delivered data cannot be read.
ReferenceNames sampleReferenceNames();

} // namespace bench
