#include "cli/auditproblemtext.h"

#include "store/schema.h"

namespace cli {

namespace {

const QString kByGrant = QStringLiteral("zelvik-cli grant, run by the directory's owner, mends it");

QString auditProblemText(const store::AuditProblem &problem)
{
    using Kind = store::AuditProblem::Kind;
    const QString where
        = QStringLiteral("table %1, row id %2, column %3: ").arg(problem.table, problem.rowId, problem.column);
    switch (problem.kind) {
    case Kind::TableNotReadable:
        return QStringLiteral("table %1 may not be read by login %2: the directory's owner lets it in with "
                              "zelvik-cli grant %2 reader (or operator, editor)")
            .arg(problem.table, problem.login);
    case Kind::TableMissing:
        return QStringLiteral("table %1 is missing").arg(problem.table);
    case Kind::ColumnMissing:
        return QStringLiteral("table %1 has no column %2").arg(problem.table, problem.column);
    case Kind::PhoneSchemeNotSet:
        return QStringLiteral("table %1 holds no row with s, and with tel from 1 to %2 when s is 0: "
                              "the phone numbering scheme is not set")
            .arg(problem.table)
            .arg(store::kLongestPhone);
    case Kind::TextHoldsNul:
        return where + QStringLiteral("the text holds a NUL character");
    case Kind::TextTooLong:
        return where
            + QStringLiteral("the text is %1 characters long, longer than the %2 a store holds")
                  .arg(problem.length)
                  .arg(store::kTextValueLimit);
    case Kind::MoreUnfitTexts:
        return QStringLiteral("table %1: more rows after these hold such texts").arg(problem.table);
    case Kind::ColumnNotLimited:
        return QStringLiteral("column %1 of %2 is not held to %3 characters by the server: %4 once no "
                              "value is longer")
            .arg(problem.column, problem.table)
            .arg(store::kTextValueLimit)
            .arg(kByGrant);
    case Kind::ChangesReadByAll:
        return QStringLiteral("the record of changes (%1) may be read by every login of the server: %2")
            .arg(problem.table, kByGrant);
    case Kind::EditorsChangeIds:
        return QStringLiteral("the directory's editors may change an entry's id: %1").arg(kByGrant);
    }
    return {};
}

} // namespace

QStringList auditProblemTexts(const std::vector<store::AuditProblem> &problems)
{
    QStringList texts;
    for (const store::AuditProblem &problem : problems)
        texts << auditProblemText(problem);
    return texts;
}

} // namespace cli
