#include "pages/browserenvironment.h"

#include <QByteArrayList>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Puts the engine's variables back as they were, whatever a test does to them.
class BrowserEnvironment : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : names) {
            saved.append(qgetenv(name));
            wasSet.append(qEnvironmentVariableIsSet(name));
            qunsetenv(name);
        }
    }
    void TearDown() override
    {
        for (int i = 0; i < 2; ++i) {
            if (wasSet[i])
                qputenv(names[i], saved[i]);
            else
                qunsetenv(names[i]);
        }
    }

    static QByteArrayList flags() { return qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").split(' '); }

    static constexpr const char *names[2] = {"QTWEBENGINE_CHROMIUM_FLAGS", "QTWEBENGINE_DISABLE_SANDBOX"};
    QByteArrayList saved;
    QList<bool> wasSet;
};

} // namespace

TEST_F(BrowserEnvironment, TurnsBackgroundTrafficOff)
{
    pages::prepareBrowserEnvironment();
    EXPECT_TRUE(flags().contains("--disable-background-networking"));
    EXPECT_TRUE(flags().contains("--disable-component-update"));
}

TEST_F(BrowserEnvironment, TurnsTheGpuOffOnlyOffscreen)
{
    pages::prepareBrowserEnvironment();
    EXPECT_EQ(flags().contains("--disable-gpu"), QGuiApplication::platformName() == QLatin1String("offscreen"));
}

TEST_F(BrowserEnvironment, KeepsTheUsersFlagsAndAddsNothingTwice)
{
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "  --lang=ru   --disable-background-networking ");
    pages::prepareBrowserEnvironment();
    pages::prepareBrowserEnvironment();
    const QByteArrayList now = flags();
    EXPECT_TRUE(now.contains("--lang=ru"));
    EXPECT_EQ(now.count("--disable-background-networking"), 1);
    EXPECT_EQ(now.count("--disable-component-update"), 1);
    EXPECT_FALSE(now.contains(QByteArray()));
}

TEST_F(BrowserEnvironment, SwitchesTheSandboxOffUnderRootOnly)
{
    pages::prepareBrowserEnvironment();
    EXPECT_EQ(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"), geteuid() == 0);
}

TEST_F(BrowserEnvironment, LeavesAnExplicitSandboxChoiceAlone)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "0");
    pages::prepareBrowserEnvironment();
    EXPECT_EQ(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), QByteArray("0"));
}
