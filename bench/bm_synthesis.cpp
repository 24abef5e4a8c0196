// One name search that finds nothing and invents four entries: the statements it sends, replayed
// as raw prepared calls in one transaction as the search commits them, against the whole search
// through the program.
#include "bench/alternation.h"
#include "bench/benchdirectory.h"
#include "bench/inventingsearch.h"
#include "bench/rawsqlite.h"
#include "bench/rowreading.h"

#include "store/connection.h"
#include "store/jetdialect.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "messages/searchtext.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using bench::benchDirectory;
using bench::RawDatabase;
using bench::RawStatement;
using bench::kInvented;
using bench::seedInventingFour;
using bench::surnameOnly;
using bench::unheardSurname;

std::uint64_t g_nextSurname = 0;

// Rows the benchmarks added, and those a broken earlier run left, go again.
void removeInvented(RawDatabase &db)
{
    db.exec("DELETE FROM tab WHERE fam >= 'Ъ' AND fam < 'Ы'");
}

// The statements of one search as SQLite prepared statements with their literals, the surname
// marked so that each replay can put in another.
class RecordedSearch {
public:
    explicit RecordedSearch(RawDatabase &db) : m_db(db)
    {
        store::Connection connection(QString::fromStdString(benchDirectory().historyPath));
        store::QueryChannel channel(connection);
        lookup::RandomSource random;
        random.setFixedSeed(seedInventingFour());
        QStringList sent;
        QObject::connect(&channel, &store::QueryChannel::statementSent, [&](const QString &s) { sent.append(s); });
        const QString surname = unheardSurname(g_nextSurname++);
        const lookup::SearchOutcome outcome = lookup::search(channel, random, surnameOnly(surname));
        if (messages::panelText(outcome) != QStringLiteral("Найдено: %1").arg(kInvented))
            throw std::runtime_error("the recorded search did not invent four entries: "
                                     + messages::panelText(outcome).value_or(messages::searchErrorText(outcome)).toStdString());
        m_surname = surname.toStdString();

        std::map<std::string, RawStatement *> prepared;
        for (const QString &statement : sent) {
            store::JetTranslation t;
            const QByteArray text = statement.toUtf8();
            if (!store::translateJet(std::string_view(text.constData(), std::size_t(text.size())), t))
                throw std::runtime_error("statement not translated (refusal " + std::to_string(int(t.refusal)) + "): "
                                         + statement.toStdString());
            RawStatement *&raw = prepared[t.sql];
            if (!raw) {
                m_statements.push_back(std::make_unique<RawStatement>(db.handle(), t.sql));
                raw = m_statements.back().get();
            }
            Step step{raw, {}};
            for (std::size_t i = 0; i < t.literalCount(); ++i)
                step.literals.emplace_back(t.literal(i));
            m_steps.push_back(std::move(step));
        }
    }

    std::size_t size() const { return m_steps.size(); }

    // Sends every statement again, with the surname replaced, reading every row of each result.
    void replay(const std::string &surname)
    {
        m_db.exec("BEGIN IMMEDIATE");
        for (Step &step : m_steps) {
            for (std::size_t i = 0; i < step.literals.size(); ++i)
                step.statement->bindText(int(i + 1), step.literals[i] == m_surname ? surname : step.literals[i]);
            while (step.statement->step())
                bench::readRawRow(step.statement->handle());
            step.statement->reset();
        }
        m_db.exec("COMMIT");
    }

private:
    struct Step {
        RawStatement *statement;
        std::vector<std::string> literals;
    };

    RawDatabase &m_db;
    std::string m_surname;
    std::vector<std::unique_ptr<RawStatement>> m_statements;
    std::vector<Step> m_steps;
};

void BM_RawSynthesise4(benchmark::State &state)
{
    RawDatabase db(benchDirectory().historyPath);
    db.useProgramSettings();
    removeInvented(db);
    {
        RecordedSearch search(db);
        for (auto _ : state) {
            const std::string surname = unheardSurname(g_nextSurname++).toStdString();
            search.replay(surname);
        }
        state.counters["statements"] = double(search.size());
    }
    removeInvented(db);
}

void BM_SearchSynthesise4(benchmark::State &state)
{
    RawDatabase db(benchDirectory().historyPath);
    removeInvented(db);
    {
        store::Connection connection(QString::fromStdString(benchDirectory().historyPath));
        store::QueryChannel channel(connection);
        lookup::RandomSource random;
        random.setFixedSeed(seedInventingFour());
        const QString expected = QStringLiteral("Найдено: %1").arg(kInvented);
        for (auto _ : state) {
            const lookup::SearchOutcome outcome =
                lookup::search(channel, random, surnameOnly(unheardSurname(g_nextSurname++)));
            if (messages::panelText(outcome) != expected) {
                state.SkipWithError("a search did not invent four entries");
                break;
            }
        }
    }
    removeInvented(db);
}

// Both sides by turns, on two connections to the one file, by the wall clock (they wait for the disk).
void BM_PairSynthesise4(benchmark::State &state)
{
    RawDatabase db(benchDirectory().historyPath);
    db.useProgramSettings();
    removeInvented(db);
    {
        RecordedSearch recorded(db);
        store::Connection connection(QString::fromStdString(benchDirectory().historyPath));
        store::QueryChannel channel(connection);
        lookup::RandomSource random;
        random.setFixedSeed(seedInventingFour());
        const QString expected = QStringLiteral("Найдено: %1").arg(kInvented);
        bench::alternate(
            state,
            [&] {
                recorded.replay(unheardSurname(g_nextSurname++).toStdString());
                return true;
            },
            [&] {
                return messages::panelText(lookup::search(channel, random, surnameOnly(unheardSurname(g_nextSurname++))))
                    == expected;
            },
            1, true);
    }
    removeInvented(db);
}

} // namespace

BENCHMARK(BM_RawSynthesise4)->UseRealTime();
BENCHMARK(BM_SearchSynthesise4)->UseRealTime();
BENCHMARK(BM_PairSynthesise4)->UseRealTime();
