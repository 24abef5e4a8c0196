// Grid edits that meet a fault: the row was deleted or changed by another process meanwhile, or
// the disk refuses the write. A clear message, no change lost without one, the other rows intact.
#include "tests/reliability/badfiles.h"
#include "tests/reliability/cliprocess.h"
#include "messages/errortext.h"
#include "tests/reliability/identity.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/testsupport.h"

#include "store/connection.h"
#include "store/grid/gridmodel.h"
#include "store/querychannel.h"
#include "store/schema.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

using store::GridModel;

using namespace storereading;

constexpr int kRow = 1; // the middle row, id 2

class GridFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        alter(folder.history(), kThreeEntries);
    }

    // The grid shows all of tab, as after a search; call once the file is as the test wants it.
    void showTab()
    {
        model = std::make_unique<GridModel>(channel);
        tester = std::make_unique<QAbstractItemModelTester>(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        QObject::connect(model.get(), &GridModel::errorOccurred, [this](const store::StoreError &error) { errors << messages::errorText(error); });
        QObject::connect(model.get(), &GridModel::editRefused, [this](const store::GridRefusal &refusal) { errors << messages::refusalText(refusal); });
        channel.run(QStringLiteral("select * from tab"));
        while (model->canFetchMore({}))
            model->fetchMore({});
        ASSERT_EQ(model->rowCount(), 3);
        before = stored();
    }

    // Another copy of the program changes the file.
    void elsewhere(const QString &statement)
    {
        const CliRun run = runCli(folder.path(), {QStringLiteral("sql"), statement});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }

    bool edit(int field, const QString &text)
    {
        return model->setData(model->index(kRow, field), text) && model->finishPending();
    }

    QList<storereading::Row> stored() const { return storereading::rows(folder.history(), QStringLiteral("tab")); }
    storereading::Row storedRow(qint64 id) const
    {
        for (const storereading::Row &row : stored())
            if (row.value(Id).toLongLong() == id)
                return row;
        return {};
    }

    ScratchFolder folder;
    store::Connection connection{folder.history()};
    store::QueryChannel channel{connection};
    std::unique_ptr<GridModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
    QStringList errors;
    QList<storereading::Row> before;
};

} // namespace

TEST_F(GridFaults, EditOfARowDeletedElsewhereIsRefusedWithAMessage)
{
    showTab();
    elsewhere(QStringLiteral("delete from tab where id=2"));
    EXPECT_FALSE(edit(store::EntryField::GivenName, QStringLiteral("Пётр")));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_FALSE(errors.first().trimmed().isEmpty());
    const QList<storereading::Row> after = stored();
    ASSERT_EQ(after.size(), 2) << "the deleted row came back";
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[2]);
}

TEST_F(GridFaults, EditOfACellChangedElsewhereDoesNotSilentlyOverwriteIt)
{
    showTab();
    elsewhere(QStringLiteral("update tab set im=\"Чужое\" where id=2"));
    const bool written = edit(store::EntryField::GivenName, QStringLiteral("Своё"));
    // Both users typed into the same cell: the later one must hear that the row changed under it.
    EXPECT_FALSE(written);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(storedRow(2).value(Im).toString(), QStringLiteral("Чужое")) << "the other user's change was lost";
    EXPECT_EQ(stored()[0], before[0]);
    EXPECT_EQ(stored()[2], before[2]);
}

TEST_F(GridFaults, EditOfAnotherCellOfARowChangedElsewhereLosesNeitherChange)
{
    showTab();
    elsewhere(QStringLiteral("update tab set ul=\"Чужая\" where id=2"));
    const bool written = edit(store::EntryField::GivenName, QStringLiteral("Своё"));
    const storereading::Row row = storedRow(2);
    EXPECT_EQ(row.value(Ul).toString(), QStringLiteral("Чужая")) << "the other user's change was lost";
    if (written) {
        EXPECT_EQ(row.value(Im).toString(), QStringLiteral("Своё"));
    } else {
        EXPECT_EQ(errors.size(), 1) << "refused without a message";
    }
    EXPECT_EQ(stored()[0], before[0]);
    EXPECT_EQ(stored()[2], before[2]);
}

TEST_F(GridFaults, DeleteOfARowDeletedElsewhereLeavesTheOthers)
{
    showTab();
    elsewhere(QStringLiteral("delete from tab where id=2"));
    model->deleteRow(kRow);
    const QList<storereading::Row> after = stored();
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[2]);
    EXPECT_EQ(model->rowCount(), 2);
}

// A page of tab left with too little room for the longest text the grid writes: an older, longer
// value (which stays readable) in the first entry, stored as an older version let it be.
constexpr const char *kFullPage = "drop trigger tab_text_limit_update; update tab set tele = hex(zeroblob(1750)) where id = 1";

TEST_F(GridFaults, FullDiskRefusesTheEditWhichStaysUntilItCanBeWritten)
{
    alter(folder.history(), kFullPage);
    showTab();
    // The disk is full: the file may not grow by a single page.
    ASSERT_EQ(sqlite3_exec(connection.handle(), "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr), SQLITE_OK);
    const QString longStreet(store::kTextValueLimit, u'Д');
    EXPECT_FALSE(edit(store::EntryField::Street, longStreet));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("full"))) << errors.first().toStdString();
    EXPECT_EQ(stored(), before);
    EXPECT_TRUE(model->isPendingChanged()) << "the typed text was thrown away";

    ASSERT_EQ(sqlite3_exec(connection.handle(), "PRAGMA max_page_count = 1073741823", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_TRUE(model->finishPending()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(storedRow(2).value(Ul).toString(), longStreet);
    EXPECT_EQ(stored()[0], before[0]);
}

TEST_F(GridFaults, FullDiskRefusesANewRow)
{
    alter(folder.history(), kFullPage);
    showTab();
    ASSERT_EQ(sqlite3_exec(connection.handle(), "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr), SQLITE_OK);
    const int row = model->appendNewRow();
    ASSERT_GE(row, 0);
    ASSERT_TRUE(model->setData(model->index(row, store::EntryField::Surname), QString(store::kTextValueLimit, u'Н')));
    EXPECT_FALSE(model->finishPending());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(stored(), before);
}

TEST_F(GridFaults, ReadOnlyFileRefusesTheEditWithAMessage)
{
    folder.setMode(QStringLiteral("history.dat"), ScratchFolder::readOnly());
    identity::UnprivilegedFileAccess asUser;
    showTab();
    EXPECT_FALSE(edit(store::EntryField::GivenName, QStringLiteral("Пётр")));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(saysReadOnly(errors.first())) << errors.first().toStdString();
    EXPECT_EQ(stored(), before);
}
