#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QTemporaryDir>

// A temporary working folder for one test with the data files it asks for, removed afterwards
// (permissions restored first).
class ScratchFolder {
public:
    enum Content {
        Nothing = 0,
        DbDat = 1,      // an empty db.dat
        HistoryDat = 2, // history.dat with the tables and the delivered reference data
        DataFiles = DbDat | HistoryDat,
    };

    explicit ScratchFolder(Content content = DataFiles);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    QString path() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString history() const { return path(QStringLiteral("history.dat")); }

    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    void makeDirectory(const QString &name) const;
    void remove(const QString &name) const;

    // Permission bits of the folder itself or of a file in it. The folder starts open to every
    // user, so that a test acting as an unprivileged user can work in it.
    void setFolderMode(QFileDevice::Permissions permissions) const;
    void setMode(const QString &name, QFileDevice::Permissions permissions) const;

    static QFileDevice::Permissions readOnly();
    static QFileDevice::Permissions readWrite();
    static QFileDevice::Permissions readOnlyFolder();
    static QFileDevice::Permissions openFolder();

private:
    QTemporaryDir m_dir;
};

// Makes the folder the current directory while it lives: the program finds its files by bare name.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const QString &path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory &) = delete;
    CurrentDirectory &operator=(const CurrentDirectory &) = delete;

private:
    QString m_previous;
};

// A scratch folder that is the current directory while it lives.
class DataFolder : public ScratchFolder {
public:
    explicit DataFolder(Content content = DataFiles) : ScratchFolder(content), m_current(path()) {}

private:
    CurrentDirectory m_current;
};
