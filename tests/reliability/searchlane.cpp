#include "tests/reliability/searchlane.h"

#include "tests/reliability/searchnames.h"

PlannedSearch plannedSearch(const QString &stem, const QString &phoneStart, int i)
{
    if (i % 5 == 4)
        return {phoneStart + QStringLiteral("%1").arg(i, int(10 - phoneStart.size()), 10, QLatin1Char('0')), true};
    if (i % 5 == 3 && i >= 3)
        return {plannedSearch(stem, phoneStart, i - 3).key, false}; // the same surname again
    if (i % 5 == 2 && i >= 5)
        return {plannedSearch(stem, phoneStart, i - 3).key, true}; // the phone of the last group again
    return {searchnames::surname(stem, std::uint64_t(i)), false};
}

SearchLane::SearchLane(Plan plan, Ledger &ledger) : m_plan(std::move(plan)), m_ledger(ledger)
{
    connect(&m_process, &QProcess::finished, this, &SearchLane::onFinished);
}

void SearchLane::start()
{
    startNext();
}

void SearchLane::startNext()
{
    const PlannedSearch search = plannedSearch(m_plan.stem, m_plan.phoneStart, m_done);
    m_key = search.key;
    m_byPhone = search.byPhone;
    prepareCli(m_process, m_plan.folder,
               {QStringLiteral("find"), m_byPhone ? QStringLiteral("--phone") : QStringLiteral("--surname"), m_key});
    m_process.start();
}

void SearchLane::onFinished()
{
    const CliRun run = collect(m_process);
    if (!run.finishedNormally || run.exitCode != 0 || !run.err.isEmpty())
        m_failures << m_key + QStringLiteral(": status %1: %2").arg(run.exitCode).arg(run.err.trimmed());
    else if (m_byPhone)
        m_ledger.phoneSearched(m_key, run.firstLine());
    else
        m_ledger.surnameSearched(m_key, run.firstLine());
    if (++m_done < m_plan.searches)
        startNext();
    else
        emit finished();
}
