// Every grid cell fed with texts that would change a pasted-together statement's meaning: a text
// column stores the text exactly unless the store may not hold it (a NUL, too long), a number column
// refuses what is no number, each refusal with a message, and no other row or column changes.
#include "tests/reliability/badfiles.h"
#include "messages/errortext.h"
#include "messages/fieldtitles.h"
#include "tests/reliability/hostiletexts.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/testsupport.h"

#include "store/connection.h"
#include "store/grid/gridmodel.h"
#include "store/querychannel.h"
#include "store/textvalue.h"

#include <QAbstractItemModelTester>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <tuple>

namespace {

using store::EntryField;
using store::GridModel;

constexpr int kEditedRow = 1;

bool isNumberColumn(int field)
{
    return field == EntryField::House || field == EntryField::Flat;
}

// The only hostile text a number column can take: white space around a whole number.
std::optional<qint64> numberIn(const QString &text)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch match = wholeNumber.match(text);
    return match.hasMatch() ? std::optional<qint64>(match.captured(1).toLongLong()) : std::nullopt;
}

class GridInjection : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    void SetUp() override
    {
        alter(folder.history(), kThreeEntries);
        QObject::connect(&model, &GridModel::errorOccurred, [this](const store::StoreError &error) { errors << messages::errorText(error); });
        QObject::connect(&model, &GridModel::editRefused, [this](const store::GridRefusal &refusal) { errors << messages::refusalText(refusal); });
        channel.run(QStringLiteral("select * from tab"));
        while (model.canFetchMore({}))
            model.fetchMore({});
        ASSERT_EQ(model.rowCount(), 3);
        ASSERT_TRUE(model.isEditable());
    }

    int field() const { return std::get<0>(GetParam()); }
    const QString &text() const { return hostileTexts().at(std::get<1>(GetParam())).text; }
    QList<storereading::Row> stored() const { return storereading::rows(folder.history(), QStringLiteral("tab")); }

    ScratchFolder folder;
    store::Connection connection{folder.history()};
    store::QueryChannel channel{connection};
    GridModel model{channel};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    QStringList errors;
};

std::string testName(const ::testing::TestParamInfo<std::tuple<int, int>> &info)
{
    return testNameFrom(QString(store::columnName(EntryField(std::get<0>(info.param)))) + u'_' + hostileTexts().at(std::get<1>(info.param)).name);
}

} // namespace

TEST_P(GridInjection, EditedCellIsStoredExactlyOrRefused)
{
    const QList<storereading::Row> before = stored();
    const bool taken = model.setData(model.index(kEditedRow, field()), text());
    const bool written = model.finishPending();
    QList<storereading::Row> expected = before;
    const int column = field() + 1; // after id

    if (!isNumberColumn(field()) && store::textFault(text()) == store::TextFault::None) {
        EXPECT_TRUE(taken && written) << errors.join(u'\n').left(300).toStdString();
        expected[kEditedRow][column] = text();
    } else if (const auto number = isNumberColumn(field()) ? numberIn(text()) : std::nullopt) {
        EXPECT_TRUE(taken && written) << errors.join(u'\n').left(300).toStdString();
        expected[kEditedRow][column] = *number;
    } else {
        // Refused as typed and again as the row could not be written; the text stays for the user.
        EXPECT_FALSE(taken || written);
        ASSERT_EQ(errors.size(), 2);
        EXPECT_TRUE(errors.first().contains(messages::columnTitle(field())))
            << errors.first().left(300).toStdString();
        EXPECT_TRUE(model.data(model.index(kEditedRow, field())).toString() == text());
    }
    // Compared, not printed: a row may hold a mebibyte of text.
    EXPECT_TRUE(stored() == expected) << "the file does not hold exactly what was typed, or another cell changed";
    if (!isNumberColumn(field())) {
        EXPECT_EQ(model.data(model.index(kEditedRow, field())).toString().size(), text().size());
    }
}

// New rows, in the text columns: the number columns refuse the same way as in a stored row.
class GridInjectionNewRow : public GridInjection {};

TEST_P(GridInjectionNewRow, TextIsStoredExactlyOrRefused)
{
    const QList<storereading::Row> before = stored();
    const int row = model.appendNewRow();
    ASSERT_EQ(row, 3);
    if (store::textFault(text()) != store::TextFault::None) {
        EXPECT_FALSE(model.setData(model.index(row, field()), text()) || model.finishPending());
        EXPECT_TRUE(stored() == before) << "a row the store may not hold was written";
        return;
    }
    ASSERT_TRUE(model.setData(model.index(row, field()), text()));
    ASSERT_TRUE(model.finishPending()) << errors.join(u'\n').left(300).toStdString();
    const QList<storereading::Row> after = stored();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_TRUE(after.mid(0, before.size()) == before);
    EXPECT_TRUE(after.last().value(field() + 1) == QVariant(text()));
}

INSTANTIATE_TEST_SUITE_P(EveryColumnEveryText, GridInjection,
                         ::testing::Combine(::testing::Range(0, int(store::kEntryFieldCount)),
                                            ::testing::Range(0, int(hostileTexts().size()))),
                         testName);
INSTANTIATE_TEST_SUITE_P(TextColumnsEveryText, GridInjectionNewRow,
                         ::testing::Combine(::testing::Values(int(EntryField::Surname), int(EntryField::GivenName),
                                                              int(EntryField::Patronymic), int(EntryField::Phone),
                                                              int(EntryField::Street), int(EntryField::Fraction)),
                                            ::testing::Range(0, int(hostileTexts().size()))),
                         testName);
