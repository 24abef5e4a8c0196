// Every search field fed with texts that would change a pasted-together statement's meaning: the
// text is either refused with that field's message, or stored and read back exactly as the
// program stores typed text; no other row changes, and no literal leaks into a statement's SQL.
#include "tests/reliability/badfiles.h"
#include "tests/reliability/hostiletexts.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/searchnames.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/testsupport.h"

#include "store/connection.h"
#include "text/cp1251.h"
#include "lookup/integersyntax.h"
#include "store/jetdialect.h"
#include "store/querychannel.h"
#include "store/textvalue.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "tests/lookup/shownoutcome.h"
#include "tests/support/seeds.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using store::EntryField;

using namespace storereading;

const QString kFieldMessages[store::kEntryFieldCount] = {
    QStringLiteral("Неверный формат ввода: фамилия."), QStringLiteral("Неверный формат ввода: имя."),
    QStringLiteral("Неверный формат ввода: отчество."), QStringLiteral("Неверный формат ввода: номер телефона."),
    QStringLiteral("Неверный формат ввода: улица."),    QStringLiteral("Неверный формат ввода: дом."),
    QString(), // the house fraction is never checked
    QStringLiteral("Неверный формат ввода: квартира."),
};

// Where a typed text ends up in an invented entry, and in what form.
struct Destination {
    int column;
    bool capitalised;
    bool number;
};

Destination destination(EntryField field)
{
    switch (field) {
    case EntryField::Surname:
        return {Fam, true, false};
    case EntryField::GivenName:
        return {Im, true, false};
    case EntryField::Patronymic:
        return {Ot, true, false};
    case EntryField::Phone:
        return {Tele, false, false};
    case EntryField::Street:
        return {Ul, false, false};
    case EntryField::House:
        return {Dom, false, true};
    case EntryField::Fraction:
        return {Domd, false, false};
    default:
        return {Kv, false, true};
    }
}

class SearchInjection : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    void SetUp() override
    {
        alter(folder.history(), kThreeEntries);
        random.setFixedSeed(seeds::inventing(4));
        QObject::connect(&channel, &store::QueryChannel::statementSent,
                         [this](const QString &statement) { statements << statement; });
    }

    EntryField field() const { return EntryField(std::get<0>(GetParam())); }
    const HostileText &hostile() const { return hostileTexts().at(std::get<1>(GetParam())); }

    ScratchFolder folder;
    store::Connection connection{folder.history()};
    store::QueryChannel channel{connection};
    lookup::RandomSource random;
    QStringList statements;
};

std::string testName(const ::testing::TestParamInfo<std::tuple<int, int>> &info)
{
    static const char *const fields[] = {"Surname", "Name", "Patronymic", "Phone", "Street", "House", "Fraction", "Flat"};
    return testNameFrom(QString::fromLatin1(fields[std::get<0>(info.param)]) + u'_' + hostileTexts().at(std::get<1>(info.param)).name);
}

} // namespace

TEST_P(SearchInjection, TextIsRefusedOrStoredExactly)
{
    const QList<storereading::Row> before = storereading::rows(folder.history(), QStringLiteral("tab"));
    const QList<storereading::Row> reference = storereading::referenceData(folder.history());

    lookup::SearchFields fields;
    if (field() != EntryField::Phone)
        fields[EntryField::Surname] = QStringLiteral("Пробный");
    fields[field()] = hostile().text;
    const ShownOutcome outcome = lookup::search(channel, random, fields);
    channel.close();

    const QList<storereading::Row> after = storereading::rows(folder.history(), QStringLiteral("tab"));
    // Compared, not printed: the rows may hold a mebibyte of text.
    EXPECT_TRUE(storereading::referenceData(folder.history()) == reference) << "a reference table changed";
    ASSERT_GE(after.size(), before.size());
    EXPECT_TRUE(after.mid(0, before.size()) == before) << "a row that was there before changed";

    if (outcome.rejected) {
        EXPECT_EQ(outcome.message.value_or(QString()), kFieldMessages[field()]);
        EXPECT_TRUE(outcome.red[field()]);
        EXPECT_TRUE(statements.isEmpty()) << "a statement ran for refused input";
        EXPECT_EQ(after.size(), before.size());
        return;
    }
    if (field() == EntryField::Fraction && store::textFault(hostile().text) != store::TextFault::None) {
        // Never checked, it meets the store's refusal when the first invented entry would hold it.
        EXPECT_TRUE(outcome.error.contains(QStringLiteral("не принят"))) << outcome.error.left(200).toStdString();
        EXPECT_EQ(after.size(), before.size());
        return;
    }
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.left(200).toStdString();

    // Each statement keeps its meaning: it translates, and every text stays inside its literal.
    const QByteArray typed = hostile().text.toUtf8();
    for (const QString &statement : statements) {
        const QByteArray utf8 = statement.toUtf8();
        store::JetTranslation translation;
        ASSERT_TRUE(store::translateJet(std::string_view(utf8.constData(), std::size_t(utf8.size())), translation))
            << "refusal " << int(translation.refusal);
        if (typed.size() >= 4 && field() != EntryField::House && field() != EntryField::Flat) {
            EXPECT_EQ(translation.sql.find(typed.toStdString()), std::string::npos) << "the typed text is part of the SQL";
        }
    }

    const Destination to = destination(field());
    QVariant expected = to.capitalised ? QVariant(cp1251::capitalised(hostile().text)) : QVariant(hostile().text);
    if (to.number)
        expected = qint64(*lookup::parseInteger(hostile().text, lookup::IntegerWidth::Bits32));
    for (const storereading::Row &row : after.mid(before.size())) {
        EXPECT_TRUE(row.value(to.column) == expected) << "stored differently from what was typed";
        EXPECT_EQ(row.value(to.column).toString().size(), expected.toString().size());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFieldEveryText, SearchInjection,
                         ::testing::Combine(::testing::Range(0, int(store::kEntryFieldCount)),
                                            ::testing::Range(0, int(hostileTexts().size()))),
                         testName);
