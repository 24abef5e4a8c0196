// GoogleTest entry for tests that need an application object but no window: QProcess, the store's
// signals and the importer's reader want one.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
