// What the record of changes costs on the server: a search that invents four entries, its inserts
// written by a session that the trigger skips, against the same search with each insert recorded.
#include "bench/alternation.h"
#include "bench/benchdirectory.h"
#include "bench/inventingsearch.h"
#include "bench/operatorload.h"

#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "messages/searchtext.h"
#include "store/connection.h"
#include "store/querychannel.h"

#include <benchmark/benchmark.h>

namespace {

// A search on a connection of its own, inventing four entries each time under a new surname.
class ServerSearch {
public:
    explicit ServerSearch(bool recorded)
        : m_channel(m_connection), m_expected(QStringLiteral("Найдено: %1").arg(bench::kInvented))
    {
        m_connection.setServer(bench::benchServer());
        m_channel.connect();
        // The replica role fires no ordinary trigger in this session; the bench's login is the
        // server's superuser, who may set it.
        if (!recorded)
            m_channel.scalar(QStringLiteral("select set_config('session_replication_role', 'replica', false)"), {});
        m_random.setFixedSeed(bench::seedInventingFour());
    }

    bool once()
    {
        static std::uint64_t next = 0;
        return messages::panelText(
                   lookup::search(m_channel, m_random, bench::surnameOnly(bench::unheardSurname(next++))))
            == m_expected;
    }

    // The entries the benchmark invented go again, unrecorded.
    void removeInvented() { m_channel.exec(QStringLiteral("delete from tab where fam>=\"Ъ\" and fam<\"Ы\"")); }

private:
    store::Connection m_connection;
    store::QueryChannel m_channel;
    lookup::RandomSource m_random;
    QString m_expected;
};

// Both sides by turns, by the wall clock (the work is the server's): the floor unrecorded, the
// product recorded.
void BM_PairServerRecordedSynthesis(benchmark::State &state)
{
    ServerSearch unrecorded(false);
    ServerSearch recorded(true);
    unrecorded.removeInvented();
    bench::alternate(state, [&] { return unrecorded.once(); }, [&] { return recorded.once(); }, 1, true);
    unrecorded.removeInvented();
}

} // namespace

BENCHMARK(BM_PairServerRecordedSynthesis)->UseRealTime();
