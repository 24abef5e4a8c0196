#pragma once

#include "lookup/directoryentry.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "tests/lookup/shownoutcome.h"
#include "tests/lookup/qstringprinter.h"

#include "store/connection.h"
#include "store/querychannel.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

// A fresh history.dat in a temporary folder with recognisable reference data: fam holds
// "Фамилия1".."Фамилия58", im "Имя1".., im2 "ИмяЖ1".., ot "Отчество1".., ot2 "ОтчествоЖ1"..,
// ul "Улица1".., tel the prefixes 495 and 916, and param the prefix scheme (s=1, tel=10).
// Every statement the searching channel sends is recorded in sent.
class DirectoryTest : public ::testing::Test {
protected:
    void SetUp() override;

    // The channel a search uses, and a second one on the same connection for setting up and
    // checking, so that neither the record nor the searching channel's result is disturbed.
    store::QueryChannel &channel() { return *m_channel; }
    void exec(const QString &statement);
    void fillTable(const QString &table, const QString &column, const QStringList &texts);
    void setScheme(std::optional<qint64> s, std::optional<qint64> tel);
    std::vector<lookup::DirectoryEntry> entries(const QString &statement);
    std::vector<lookup::DirectoryEntry> allEntries();
    void addEntry(const lookup::DirectoryEntry &entry);

    // The entries of the channel's open result (what the grid shows).
    std::vector<lookup::DirectoryEntry> shownEntries();

    ShownOutcome find(const lookup::SearchFields &fields, std::uint32_t seed);

    QTemporaryDir dir;
    std::unique_ptr<store::Connection> connection;
    lookup::RandomSource random;
    QStringList sent;

private:
    std::unique_ptr<store::QueryChannel> m_channel;
    std::unique_ptr<store::QueryChannel> m_inspector;
};

namespace lookup {
// Readable failures: gtest prints entries field by field.
void PrintTo(const DirectoryEntry &entry, std::ostream *out);
} // namespace lookup

// The first seed whose draws satisfy the predicate: tests pick seeds by the outcome they need
// rather than by magic numbers.
std::uint32_t seedWhere(const std::function<bool(lookup::RandomSource &)> &wanted);

// Names of the recognisable reference data.
QStringList numbered(const QString &stem, int count);
