#pragma once

#include <QString>
#include <array>
#include <exception>
#include <optional>

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;

// The eight search fields in the window's order, surname first, flat last.
enum Field { Surname, Name, Patronymic, Phone, Street, House, Fraction, Flat, FieldCount };

struct SearchFields {
    std::array<QString, FieldCount> text;
    QString &operator[](Field f) { return text[f]; }
    const QString &operator[](Field f) const { return text[f]; }
};

// What one press of "Найти" leaves for the window to show.
struct SearchOutcome {
    // New text of the message panel; nullopt leaves the panel as it was (connect failed first).
    std::optional<QString> message;
    // Fields whose text turns pure red.
    std::array<bool, FieldCount> red{};
    // Text for the application's default error handler when the store or anything else failed;
    // empty otherwise.
    QString error;
    // The checks refused the fields (message says why); no lookup ran and the grid keeps its rows.
    bool rejected = false;
};

// What the default error handler shows for a failure that ended a search: the store's own text,
// or a Russian one for anything else (memory running out, a fault of the program).
QString failureText(const std::exception &failure);

// The whole search behind "Найти": connect, validate, then the lookup by name or by phone.
// The grid shows whatever result the channel holds afterwards.
SearchOutcome search(store::QueryChannel &channel, RandomSource &random, const SearchFields &fields);

} // namespace lookup
