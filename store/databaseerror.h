#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// Every failure of the store (open, statement, missing column) surfaces as this error. The window
// catches it and hands the text to the application's default error handler; the CLI prints it.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace store
