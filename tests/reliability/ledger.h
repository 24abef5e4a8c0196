#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Keeps count of what concurrent searches say they did, so the rows in the file can be checked
// against it afterwards. Every search asks for a surname or a phone number that only it and its
// own repetitions use, so each answer is either a first search (which invented the rows it
// reports) or a repetition (which must find exactly those rows).
class Ledger {
public:
    void surnameSearched(const QString &surname, const QString &message);
    void phoneSearched(const QString &phone, const QString &message);

    int searches() const { return m_searches; }
    int storedRows() const;
    const QMap<QString, int> &surnames() const { return m_surnames; }
    const QMap<QString, int> &phones() const { return m_phones; }
    // Answers that contradict earlier ones; empty when all add up.
    const QStringList &contradictions() const { return m_contradictions; }

private:
    QMap<QString, int> m_surnames; // rows stored under each surname
    QMap<QString, int> m_phones;   // rows stored under each phone number
    QStringList m_contradictions;
    int m_searches = 0;
};
