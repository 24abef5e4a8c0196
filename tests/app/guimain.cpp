// The window tests need a QApplication; the offscreen platform is the default so that no display
// is needed. Its screen is made larger than the main window's design size (the platform's own is
// 800 x 600), unless the test names a platform of its own.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZELVIK_TEST_SCREEN_DIR "/screen-large.json");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
