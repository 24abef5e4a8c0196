#pragma once

#include <QString>

#include <string>

// Small things several reliability tests share.

// A gtest parameter name from any description: letters and digits kept, everything else '_'.
std::string testNameFrom(const QString &description);

// Whether a message tells that the file cannot be written, in the store's words or the program's.
bool saysReadOnly(const QString &message);

// Three entries in tab, in a file switched to WAL as every file the program has used is; the
// middle one (id 2) is the one the grid tests edit.
inline constexpr const char *kThreeEntries =
    "PRAGMA journal_mode=WAL;"
    "INSERT INTO tab(fam, im, ot, tele, ul, dom, domd, kv) VALUES"
    "('Первов', 'Иван', 'Ильич', '4951111111', 'Ленина', 1, '', 1),"
    "('Вторых', 'Анна', 'Ивановна', '4952222222', 'Мира', 2, 'а', 2),"
    "('Третьяков', 'Олег', 'Петрович', '4953333333', 'Садовая', 3, '', 3)";
