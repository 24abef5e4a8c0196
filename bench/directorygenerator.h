#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace bench {

struct GenerationOptions {
    std::uint64_t rows = 0;
    std::uint64_t seed = 1;
    // Called with the rows written so far, every progressEvery rows.
    std::function<void(std::uint64_t)> progress;
    std::uint64_t progressEvery = 500'000;
};

// Makes a directory folder for the program: history.dat with the program's own schema and sample
// reference tables plus `rows` generated entries in tab, and an empty db.dat. The entries go in
// one transaction with tab's indexes dropped and built again after the load. An existing
// history.dat is never replaced. Throws std::runtime_error, or store::StoreError from the store.
void generateDirectory(const QString &folder, const GenerationOptions &options);

} // namespace bench
