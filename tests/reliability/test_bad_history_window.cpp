// The window on a history.dat that cannot serve: an error box with a clear text, the window still
// open and usable, and the file exactly as it was.
#include "tests/reliability/badfiles.h"
#include "tests/reliability/boxlog.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/searchnames.h"
#include "tests/reliability/storereading.h"
#include "tests/reliability/testsupport.h"
#include "tests/reliability/windowdriver.h"

#include <gtest/gtest.h>

namespace {

// The window draws its own seed, so a search may invent nothing and never touch the store's
// reference tables; searching on with new surnames reaches the point where it must.
constexpr int kAttempts = 25;

class BadHistoryWindow : public ::testing::TestWithParam<int> {
protected:
    BadHistory bad = badHistories().at(GetParam());
    ScratchFolder folder;
    CurrentDirectory here{folder.path()};
    BoxLog boxes;
};

std::string testName(const ::testing::TestParamInfo<int> &info)
{
    return testNameFrom(badHistories().at(info.param).name);
}

} // namespace

TEST_P(BadHistoryWindow, SearchEndsInAnErrorBoxAndTheFileStaysAsItWas)
{
    bad.spoil(folder);
    const std::string before = storereading::stateOf(folder.history());
    WindowDriver window;
    if (bad.countsAsMissing) {
        EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Файл привязок history.dat не найден!")});
        EXPECT_FALSE(window.isOpen());
        return;
    }
    ASSERT_TRUE(window.isOpen());
    for (int i = 0; i < kAttempts && boxes.failures().isEmpty(); ++i)
        window.find(searchnames::surname(QStringLiteral("Петров"), i) + u'а'); // female: im2 and ot2 too
    ASSERT_EQ(boxes.failures().size(), 1) << boxes.texts().join(u'\n').toStdString();
    EXPECT_FALSE(boxes.failures().first().trimmed().isEmpty());
    EXPECT_TRUE(window.isOpen());
    EXPECT_EQ(storereading::stateOf(folder.history()), before);

    // The window goes on after the error: the next search runs as well as the file allows.
    window.find(QStringLiteral("Иванов"));
    EXPECT_TRUE(window.isOpen());
}

INSTANTIATE_TEST_SUITE_P(EachBadFile, BadHistoryWindow, ::testing::Range(0, int(badHistories().size())), testName);
