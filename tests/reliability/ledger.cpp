#include "tests/reliability/ledger.h"

#include <numeric>

namespace {

const QString kFound = QStringLiteral("Найдено: ");
const QString kSubscriberFound = QStringLiteral("Абонент найден.");

} // namespace

void Ledger::surnameSearched(const QString &surname, const QString &message)
{
    ++m_searches;
    bool ok = message.startsWith(kFound);
    const int count = ok ? message.mid(kFound.size()).toInt(&ok) : 0;
    if (!ok) {
        m_contradictions << surname + QStringLiteral(": unexpected answer \"") + message + u'"';
        return;
    }
    int &stored = m_surnames[surname];
    if (stored == 0)
        stored = count; // nothing there yet, so these were invented now
    else if (count != stored)
        m_contradictions << QStringLiteral("%1: found %2, but %3 were stored").arg(surname).arg(count).arg(stored);
}

void Ledger::phoneSearched(const QString &phone, const QString &message)
{
    ++m_searches;
    int &stored = m_phones[phone];
    if (message.isEmpty()) { // a new subscriber was invented and stored
        if (stored != 0)
            m_contradictions << phone + QStringLiteral(": invented again although stored");
        stored = 1;
    } else if (message == kSubscriberFound) {
        if (stored != 1)
            m_contradictions << phone + QStringLiteral(": found although never stored");
    } else {
        m_contradictions << phone + QStringLiteral(": unexpected answer \"") + message + u'"';
    }
}

int Ledger::storedRows() const
{
    const auto sum = [](const QMap<QString, int> &counts) { return std::accumulate(counts.cbegin(), counts.cend(), 0); };
    return sum(m_surnames) + sum(m_phones);
}
