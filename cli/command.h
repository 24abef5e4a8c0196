#pragma once

#include "config/conffile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

enum ExitStatus { Success = 0, UsageError = 1, Failure = 2 };

// One subcommand of zelvik-cli: its word, what it does, its options and positional arguments, and
// what it does with them. The usage and --help text come from the declarations, and every command
// parses the same way: "--option value" and "--option=value" alike, a usage error exits 1.
class Command {
public:
    Command(QString name, QString description);
    virtual ~Command() = default;
    Command(const Command &) = delete;
    Command &operator=(const Command &) = delete;

    const QString &name() const { return m_name; }
    const QString &description() const { return m_description; }
    // "zelvik-cli find [--directory DIR] [--surname T] ...".
    QString usage() const;
    // What "zelvik-cli COMMAND --help" prints.
    QString helpText() const;

    // Parses the arguments that follow the command's word and runs it; returns the exit status.
    int execute(const QStringList &arguments);

protected:
    void addOption(const QCommandLineOption &option) { m_options.append(option); }
    // Positional arguments are given in order; optional ones can only follow required ones.
    void addArgument(const QString &name, const QString &description, bool optional = false);
    // "--directory DIR": the folder holding the directory's files, the current one by default.
    void addDirectoryOption();

    // Makes the --directory folder the current one, so that the files are found by their plain
    // names and the messages name them as the window does. False, said on standard error, when
    // there is no such folder.
    static bool enterDirectory(const QCommandLineParser &parser);

    // Runs the command on parsed arguments. The positional count has been checked already.
    virtual int run(const QCommandLineParser &parser) = 0;
    // A usage error found while running (a malformed value): the reason and the usage on standard
    // error; returns UsageError.
    int usageError(const QString &reason) const;

private:
    struct Argument {
        QString name;
        QString description;
        bool optional;
    };

    QString m_name;
    QString m_description;
    QList<QCommandLineOption> m_options;
    QList<Argument> m_arguments;
};

extern const QCommandLineOption kDirectoryOption;
// "--keep-role-members", for the commands that make a directory on a server (init, copy).
extern const QCommandLineOption kKeepRoleMembersOption;

// The current folder's conf.cfg (none counts as an empty one). Nothing, said on standard error in the
// window's words, when the file is there but cannot be read: the command then stops, as it cannot
// know which store the folder uses. A server's connection string holding a password is warned about
// there too, and used all the same.
std::optional<config::ConfFile> readConfFile();

// Why init --server and copy refuse a connection string that holds a password.
QString passwordRefusal();

} // namespace cli
