#include "datafolder.h"

#include "directoryfile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

DataFolder::DataFolder(Files files) : m_previous(QDir::currentPath())
{
    EXPECT_TRUE(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    if (files & HistoryDat)
        store::createDirectoryFile(path(QStringLiteral("history.dat")));
    if (files & DbDat)
        write(QStringLiteral("db.dat"), QByteArray());
}

DataFolder::~DataFolder()
{
    QDir::setCurrent(m_previous);
}

void DataFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void DataFolder::makeDirectory(const QString &name) const
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(name));
}

void DataFolder::remove(const QString &name) const
{
    ASSERT_TRUE(QFile::remove(path(name)));
}
