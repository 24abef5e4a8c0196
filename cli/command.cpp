#include "cli/command.h"

#include "cli/output.h"

#include "messages/errortext.h"
#include "store/connection.h"

#include <QDir>

#include <algorithm>

namespace cli {

namespace {

const QCommandLineOption kHelpOption({QStringLiteral("h"), QStringLiteral("help")},
                                     QStringLiteral("show this help"));

// "--name VALUE" or "--name", as the option is written.
QString optionSyntax(const QCommandLineOption &option)
{
    const QString name = option.names().last();
    QString text = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    if (!option.valueName().isEmpty())
        text += QLatin1Char(' ') + option.valueName();
    return text;
}

QString optionNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QLatin1Char(' ') + option.valueName();
    return text;
}

// Two columns: the names, then the description, aligned as help2man and readers expect.
QString table(const QList<std::pair<QString, QString>> &rows)
{
    qsizetype width = 0;
    for (const auto &[left, right] : rows)
        width = std::max(width, left.size());
    QString text;
    for (const auto &[left, right] : rows)
        text += QStringLiteral("  %1  %2\n").arg(left.leftJustified(width), right);
    return text;
}

} // namespace

const QCommandLineOption kDirectoryOption(QStringLiteral("directory"),
                                          QStringLiteral("the folder holding history.dat (default: the current one)"),
                                          QStringLiteral("DIR"), QStringLiteral("."));

const QCommandLineOption kKeepRoleMembersOption(
    QStringLiteral("keep-role-members"),
    QStringLiteral("on a server, let the members of the roles an older directory of the same database name left "
                   "(roles belong to the whole server and outlive a dropped database) be members of the new "
                   "directory's roles; without it such members stop the command, which names them"));

Command::Command(QString name, QString description) : m_name(std::move(name)), m_description(std::move(description))
{
}

void Command::addArgument(const QString &name, const QString &description, bool optional)
{
    m_arguments.append({name, description, optional});
}

void Command::addDirectoryOption()
{
    addOption(kDirectoryOption);
}

QString Command::usage() const
{
    QString text = QStringLiteral("zelvik-cli ") + m_name;
    for (const Argument &argument : m_arguments)
        text += argument.optional ? QStringLiteral(" [%1]").arg(argument.name) : QLatin1Char(' ') + argument.name;
    for (const QCommandLineOption &option : m_options)
        text += QStringLiteral(" [%1]").arg(optionSyntax(option));
    return text;
}

QString Command::helpText() const
{
    QString sentence = m_description;
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    QString text = QStringLiteral("Usage: %1\n%2.\n").arg(usage(), sentence);
    if (!m_arguments.isEmpty()) {
        QList<std::pair<QString, QString>> rows;
        for (const Argument &argument : m_arguments)
            rows.append({argument.name, argument.description});
        text += QStringLiteral("\nArguments:\n") + table(rows);
    }
    QList<std::pair<QString, QString>> rows;
    for (const QCommandLineOption &option : m_options + QList<QCommandLineOption>{kHelpOption})
        rows.append({optionNames(option), option.description()});
    text += QStringLiteral("\nOptions:\n") + table(rows);
    return text.trimmed();
}

bool Command::enterDirectory(const QCommandLineParser &parser)
{
    const QString folder = parser.value(kDirectoryOption);
    if (!parser.isSet(kDirectoryOption) || QDir::setCurrent(folder))
        return true;
    printError(folder + QStringLiteral(": no such folder"));
    return false;
}

int Command::usageError(const QString &reason) const
{
    printError(QStringLiteral("zelvik-cli %1: %2\nusage: %3").arg(m_name, reason, usage()));
    return UsageError;
}

int Command::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-x" is never a bundle of one-letter options: those are rare here and a typo should be named.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(m_options);
    parser.addOption(kHelpOption);
    // QCommandLineParser takes the program's name from the first element.
    if (!parser.parse(QStringList{QStringLiteral("zelvik-cli")} + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString &name = unknown.first();
            return usageError(QStringLiteral("unknown option %1%2").arg(name.size() == 1 ? "-" : "--", name));
        }
        return usageError(parser.errorText());
    }
    if (parser.isSet(kHelpOption)) {
        printLine(helpText());
        return Success;
    }
    const QStringList positional = parser.positionalArguments();
    const auto required = std::count_if(m_arguments.cbegin(), m_arguments.cend(),
                                        [](const Argument &argument) { return !argument.optional; });
    if (positional.size() < required)
        return usageError(QStringLiteral("%1 is needed").arg(m_arguments[positional.size()].name));
    if (positional.size() > m_arguments.size())
        return usageError(QStringLiteral("unexpected argument %1").arg(positional[m_arguments.size()]));
    return run(parser);
}

QString passwordRefusal()
{
    return QStringLiteral("the connection string holds a password, which would show in ps and in conf.cfg: keep it "
                          "in ~/.pgpass (or the file PGPASSFILE names, or a service file with service=NAME) and "
                          "leave it out of the string");
}

std::optional<config::ConfFile> readConfFile()
{
    config::ConfFile conf = config::readConfFile();
    if (conf.failed()) {
        printError(messages::errorText(*conf.error));
        return std::nullopt;
    }
    // It still works: libpq reads it as any other, and the warning is what the user can act on.
    if (store::conninfoHoldsPassword(conf.server()) || store::conninfoHoldsPassword(conf.replica()))
        printError(messages::passwordInConnectionText());
    return conf;
}

} // namespace cli
