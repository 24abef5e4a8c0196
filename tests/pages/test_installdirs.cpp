// The installed tree is found from the executable's own folder, wherever the tree was put.
#include "installdirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Part {
    const char *fileName;
    const char *installedDir;
};

class InstalledPart : public testing::TestWithParam<Part> {
protected:
    void touch(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir root;
    QString bin = root.filePath(QStringLiteral("usr/bin"));
    QString name = QString::fromUtf8(GetParam().fileName);
    QString installed = QDir::cleanPath(bin + QLatin1Char('/') + QString::fromUtf8(GetParam().installedDir)
                                        + QLatin1Char('/') + name);
};

TEST_P(InstalledPart, IsFoundRelativeToTheExecutableInsideTheSameTree)
{
    touch(installed);
    EXPECT_EQ(installdirs::locate(bin, name, GetParam().installedDir), installed);
    EXPECT_TRUE(installed.startsWith(root.filePath(QStringLiteral("usr/lib"))));
}

TEST_P(InstalledPart, BesideTheExecutableWinsAsInABuildTree)
{
    touch(installed);
    touch(bin + QLatin1Char('/') + name);
    EXPECT_EQ(installdirs::locate(bin, name, GetParam().installedDir), bin + QLatin1Char('/') + name);
}

TEST_P(InstalledPart, WhenMissingTheInstalledPlaceIsNamed)
{
    EXPECT_EQ(installdirs::locate(bin, name, GetParam().installedDir), installed);
}

INSTANTIATE_TEST_SUITE_P(Parts, InstalledPart,
                         testing::Values(Part{"zelvik_browser.so", installdirs::kModuleDir},
                                         Part{"zelvik-jet-reader", installdirs::kHelperDir}));

} // namespace
