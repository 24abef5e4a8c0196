#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace bench {

// The generated directory the benchmarks run on, and the search values they use, chosen from
// what it really holds.
struct BenchDirectory {
    QString folder;            // holds history.dat and db.dat
    std::string historyPath;   // folder/history.dat, for SQLite
    std::int64_t entries = 0;  // rows of tab when the run began

    std::string rareSurname;   // typed in lower case, as a user would; UTF-8
    std::int64_t rareRows = 0; // 1 to 10 when the directory is large enough
    std::string commonSurname; // lower case; the directory's most frequent surname form
    std::int64_t commonRows = 0;
    std::string phone;         // held by exactly one entry

    QString rareSurnameText() const { return QString::fromStdString(rareSurname); }
    QString commonSurnameText() const { return QString::fromStdString(commonSurname); }
};

// Reads the directory at folder and picks the search values. Throws std::runtime_error, or store::StoreError from the store.
BenchDirectory openBenchDirectory(const QString &folder);

// The directory of this run, set once by main() before any benchmark runs.
const BenchDirectory &benchDirectory();
void setBenchDirectory(BenchDirectory directory);

} // namespace bench
