// The window on a history.dat it may read but not write: lookups that find entries answer, a lookup
// that would invent entries says in an error box that nothing can be stored, and nothing changes.
#include "tests/reliability/badfiles.h"
#include "tests/reliability/boxlog.h"
#include "tests/reliability/identity.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/searchnames.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/testsupport.h"
#include "tests/reliability/windowdriver.h"

#include <gtest/gtest.h>

namespace {

constexpr int kAttempts = 25;

class ReadOnlyWindow : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        alter(folder.history(), "PRAGMA journal_mode=WAL; INSERT INTO tab(fam, im, ot, tele, ul, dom, domd, kv) "
                                "VALUES('Известный', 'Иван', 'Ильич', '4957654321', 'Ленина', 3, '', 7)");
        folder.setMode(QStringLiteral("history.dat"), ScratchFolder::readOnly());
        if (GetParam())
            folder.setFolderMode(ScratchFolder::readOnlyFolder());
        before = storereading::stateOf(folder.history());
    }

    ScratchFolder folder;
    CurrentDirectory here{folder.path()};
    BoxLog boxes;
    std::string before;
};

} // namespace

TEST_P(ReadOnlyWindow, FindsStoredEntriesAndSaysItCannotStoreNewOnes)
{
    identity::UnprivilegedFileAccess asUser;
    WindowDriver window;
    ASSERT_TRUE(window.isOpen()) << boxes.texts().join(u'\n').toStdString();

    EXPECT_EQ(window.find(QStringLiteral("известный")), QStringLiteral("Найдено: 1"));
    window.clearFields();
    window.fill(store::EntryField::Phone, QStringLiteral("4957654321"));
    EXPECT_EQ(window.find(), QStringLiteral("Абонент найден."));
    EXPECT_TRUE(boxes.failures().isEmpty()) << boxes.failures().join(u'\n').toStdString();

    for (int i = 0; i < kAttempts && boxes.failures().isEmpty(); ++i)
        window.find(searchnames::surname(QStringLiteral("Новиков"), i));
    ASSERT_EQ(boxes.failures().size(), 1);
    const QString text = boxes.failures().first();
    EXPECT_TRUE(text.contains(QStringLiteral("history.dat"))) << text.toStdString();
    EXPECT_TRUE(saysReadOnly(text)) << text.toStdString();
    EXPECT_TRUE(window.isOpen());
    EXPECT_EQ(storereading::stateOf(folder.history()), before);
}

INSTANTIATE_TEST_SUITE_P(FileAndFolder, ReadOnlyWindow, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "InReadOnlyFolder" : "InWritableFolder");
                         });
