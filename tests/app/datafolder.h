#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh working folder for one test, made the current directory while the test runs: the program
// looks its data files up there by bare name.
class DataFolder {
public:
    enum Files { NoFiles = 0, DbDat = 1, HistoryDat = 2, BothFiles = DbDat | HistoryDat };

    explicit DataFolder(Files files = BothFiles);
    ~DataFolder();
    DataFolder(const DataFolder &) = delete;
    DataFolder &operator=(const DataFolder &) = delete;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const;
    void makeDirectory(const QString &name) const;
    void remove(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
