#pragma once

#include <QStringList>

namespace cli {

enum ExitStatus { Success = 0, UsageError = 1, Failure = 2 };

// Every subcommand: the word that names it, its function (defined in its own command_<word>.cpp,
// given the arguments after the word, returning the exit status), its usage and what it does.
// Adding a command is one line here and its file in CMakeLists.txt.
#define ZELVIK_CLI_COMMANDS(X)                                                                       \
    X("init", runInit, "init [DIR] [--region NAME]",                                                 \
      "create history.dat with the sample reference data, an empty db.dat and, with --region, conf.cfg") \
    X("sql", runSql, "sql \"STATEMENT\"", "run one statement on ./history.dat and print its rows") \
    X("find", runFind, "find [--surname T] [--name T] [--patronymic T] [--phone T] [--street T] [--house T] [--fraction T] [--flat T] [--seed N]", "search ./history.dat like \"Найти\": the message, then the grid rows") \
    X("check", runCheck, "check [FILE]", "integrity check of ./history.dat (or FILE) with the program's collation: \"ok\" or the problems found") \
    X("import-jet", runImportJet, "import-jet SOURCE [--into FILE]", "a new store (default ./history.dat) from the Jet 4.0 file SOURCE, every table and row; SOURCE is only read")

#define ZELVIK_CLI_DECLARE(word, function, usage, summary) int function(const QStringList &args);
ZELVIK_CLI_COMMANDS(ZELVIK_CLI_DECLARE)
#undef ZELVIK_CLI_DECLARE

} // namespace cli
