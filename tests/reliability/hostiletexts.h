#pragma once

#include <QList>
#include <QString>

// Texts a user might type, paste or be tricked into pasting, that would change a statement's meaning
// if it were pasted together from them, or that stretch the store: quotes, separators, comments,
// control characters and very long texts.
struct HostileText {
    QString name; // for the test's output
    QString text;
};

// Made once per process: every test name is taken from this list, and the long texts are long.
const QList<HostileText> &hostileTexts();

// One mebibyte of characters, for the limits of fields and statements.
inline constexpr qsizetype kLongText = 1 << 20;
