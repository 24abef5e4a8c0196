// A named pipe where history.dat should be (a kind of file Linux has) counts as no file: the first
// connect neither waits for a writer nor takes it for a directory.
#include "store/connection.h"
#include "store/storeerror.h"
#include "messages/errortext.h"
#include "tests/support/scratchfolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

TEST(FirstUseOfANamedPipe, CountsAsNoFile)
{
    ScratchFolder scratch{ScratchFolder::HistoryDat};
    store::Connection connection{scratch.history()};
    ASSERT_TRUE(QFile::remove(scratch.history()));
    ASSERT_EQ(mkfifo(scratch.history().toLocal8Bit().constData(), 0666), 0);
    try {
        connection.connect();
        FAIL() << "a pipe was taken for a directory file";
    } catch (const store::StoreError &e) {
        EXPECT_EQ(messages::errorText(e), scratch.history() + u": файл не найден"_s);
    }
}
