#pragma once

#include <QString>
#include <stdexcept>

namespace jet {

// Every failure of a Jet import: the source cannot be read, the reader overran its limits, or the
// new store cannot be written. The text says which, in the style of the store's own errors.
class ImportError : public std::runtime_error {
public:
    explicit ImportError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) { }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace jet
