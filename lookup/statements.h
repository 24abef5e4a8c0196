#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace lookup {

struct DirectoryEntry;
struct GenderSet;

// Every statement a search sends, in the store's Jet dialect. Texts go between double quotes with
// each double quote inside doubled; numbers go in plain decimal.
namespace statements {

QString quoted(QStringView text);

// Picks and the phone scheme, shared by both lookups.
QString surnamePick(std::int64_t id);
QString givenNamePick(const GenderSet &set, std::int64_t id);
QString patronymicPick(const GenderSet &set, std::int64_t id);
QString streetPick(std::int64_t id);
QString phoneScheme();
QString prefixCount();
QString prefixPick(std::int64_t id);
QString insert(const DirectoryEntry &entry);
// The entries a search has just stored, newest first: selected by their ids rather than as the
// newest of the table, where another copy of the program may have stored entries meanwhile.
QString storedEntries(const QList<qint64> &ids);

// Lookup by name.
QString surnameLookup(QStringView surname);
QString nameClause(QStringView givenName);
QString patronymicClause(QStringView patronymic);
QString houseFlatFilter(std::optional<std::int32_t> house, std::optional<std::int32_t> flat);
QString genderCheck(QStringView givenName);

// Lookup by phone.
QString phoneLookup(QStringView phone);
QString prefixCheck(QStringView prefix);

// A directory result without rows: what the grid shows when a search ends with nothing to show,
// so that no reference row is left open for editing.
QString noEntries();

} // namespace statements
} // namespace lookup
