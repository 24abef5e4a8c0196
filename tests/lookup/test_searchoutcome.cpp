#include "tests/lookup/directoryfixture.h"
#include "tests/lookup/searchfieldsbuilder.h"

#include <QFile>

#include <new>
#include <stdexcept>

using namespace lookup;
using enum store::EntryField;

using SearchOutcomeTest = DirectoryTest;

TEST_F(SearchOutcomeTest, ConnectionThatCannotOpenLeavesThePanelAlone)
{
    connection->setDataSource(dir.filePath(QStringLiteral("absent.dat")));
    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Иванов")}}), 0);
    EXPECT_FALSE(outcome.message.has_value());
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_EQ(outcome.red, (std::array<bool, store::kEntryFieldCount>{}));
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("absent.dat"))));
}

TEST_F(SearchOutcomeTest, RejectedFieldsSendNoStatement)
{
    const ShownOutcome outcome = find(fieldsOf({{House, QStringLiteral("abc")}}), 0);
    EXPECT_EQ(outcome.message, QStringLiteral("Неверный формат ввода: дом."));
    EXPECT_TRUE(outcome.red[House]);
    EXPECT_TRUE(outcome.rejected);
    EXPECT_TRUE(outcome.error.isEmpty());
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_TRUE(connection->isOpen());
}

TEST_F(SearchOutcomeTest, NeitherSurnameNorPhoneIsARejection)
{
    const ShownOutcome outcome = find(SearchFields{}, 0);
    EXPECT_EQ(outcome.message, QStringLiteral("Необходимо указать фамилию или номер телефона."));
    EXPECT_TRUE(outcome.rejected);
    EXPECT_EQ(outcome.red, (std::array<bool, store::kEntryFieldCount>{}));
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(SearchOutcomeTest, SearchesThatRanAreNoRejection)
{
    EXPECT_FALSE(find(fieldsOf({{Surname, QStringLiteral("Иванов")}}), 0).rejected);
    EXPECT_FALSE(find(fieldsOf({{Phone, QStringLiteral("12")}}), 0).rejected); // refused by the scheme
}

TEST_F(SearchOutcomeTest, StoreErrorAfterValidationClearsThePanel)
{
    exec(QStringLiteral("drop table tab"));
    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Иванов")}}), 0);
    EXPECT_EQ(outcome.message, QString());
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_FALSE(outcome.rejected);
}

TEST_F(SearchOutcomeTest, EntriesInsertedBeforeAStoreErrorAreNotKept)
{
    // The first insert removes the scheme, so the second entry's phone cannot be made: the search's
    // entries are stored together or not at all.
    exec(QStringLiteral("create trigger drop_scheme after insert on tab begin delete from param; end"));
    const std::uint32_t seed = seedWhere([](RandomSource &r) { return r.draw(5) == 3; });
    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Иванов")}}), seed);
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_EQ(outcome.message, QString());
    EXPECT_TRUE(allEntries().empty());
}

TEST_F(SearchOutcomeTest, FailuresOtherThanTheStoresEndTheSearchWithAMessage)
{
    // Thrown where the first entry would be stored: nothing of the store's own, and nothing stored.
    const auto failAt = [this](auto failure) {
        return QObject::connect(&channel(), &store::QueryChannel::statementSent, [failure](const QString &statement) {
            if (statement.startsWith(QLatin1String("insert")))
                throw failure;
        });
    };
    const std::uint32_t seed = seedWhere([](RandomSource &r) { return r.draw(5) == 2; });

    QMetaObject::Connection hook = failAt(std::bad_alloc());
    ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Иванов")}}), seed);
    EXPECT_EQ(outcome.error, QStringLiteral("Недостаточно памяти: поиск прерван"));
    QObject::disconnect(hook);

    hook = failAt(std::logic_error("broken invariant"));
    outcome = find(fieldsOf({{Phone, QStringLiteral("4950000000")}}), seed);
    EXPECT_EQ(outcome.error, QStringLiteral("Поиск прерван: broken invariant"));
    QObject::disconnect(hook);
    EXPECT_TRUE(allEntries().empty());
}
