// GoogleTest entry for tests that need a QApplication: offscreen unless told otherwise, and prepared for
// the browser engine the way the program's own main() prepares it.
#include <QApplication>

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// The browser engine is not built with AddressSanitizer, yet its allocations pass through the sanitizer's
// operator new and delete; Chromium frees some objects through a base of another size, which the
// sanitizer would call a new/delete type mismatch. Our own code is checked for everything else.
extern "C" const char *__asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
#endif

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The offscreen platform's own screen (800 x 600) is smaller than the main window's design size;
    // a test that names a screen of its own keeps it.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZELVIK_TEST_SCREEN_DIR "/screen-large.json");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
