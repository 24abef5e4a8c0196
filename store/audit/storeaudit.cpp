#include "store/audit/storeaudit.h"

#include "store/admin/changerecord.h"
#include "store/admin/serverroles.h"
#include "store/querychannel.h"
#include "store/schema.h"

#include <climits>

namespace store {

namespace {

// Named one by one up to this many rows; a copy names the first it meets anyway.
constexpr int kNamedRows = 10;

QString nameOf(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

std::vector<std::string> textColumns()
{
    std::vector<std::string> columns;
    for (const ColumnDef &column : programTables().front().columns)
        if (column.kind == ColumnKind::Text)
            columns.emplace_back(column.name);
    return columns;
}

// Per column, what is wrong with its value in a row: -1 a NUL, a length past the limit, else 0.
std::string unfitness(const std::string &column, Dialect dialect)
{
    const std::string limit = std::to_string(kTextValueLimit);
    if (dialect == Dialect::Sqlite)
        return "CASE WHEN instr(CAST(" + column + " AS BLOB), x'00') > 0 THEN -1 WHEN length(" + column + ") > "
            + limit + " THEN length(" + column + ") ELSE 0 END";
    return "CASE WHEN char_length(" + column + ") > " + limit + " THEN char_length(" + column + ") ELSE 0 END";
}

// The text columns the server does not hold to the limit (a server made before it).
std::vector<std::string> unlimitedColumns(const AuditQuery &query)
{
    const QStringList present =
        query("select conname from pg_constraint where conrelid = to_regclass('tab') and contype = 'c'");
    std::vector<std::string> columns;
    for (const std::string &column : textColumns())
        if (!present.contains(QString::fromStdString(serverTextLimitName(column))))
            columns.push_back(column);
    return columns;
}

bool holdsOne(const QStringList &found)
{
    return found == QStringList{QStringLiteral("1")};
}

} // namespace

AuditQuery firstColumnOf(QueryChannel &channel)
{
    return [&channel](const std::string &sql) {
        channel.run(QString::fromStdString(sql));
        channel.fetch(INT_MAX);
        QStringList values;
        for (int row = 0; row < channel.fetched(); ++row)
            values << channel.cell(row, 0).toString();
        return values;
    };
}

std::vector<AuditProblem> schemaProblems(const AuditQuery &query, Dialect dialect)
{
    using Kind = AuditProblem::Kind;
    std::vector<AuditProblem> problems;
    for (const TableDef &table : programTables()) {
        const std::string name(table.name);
        const QString tableName = nameOf(table.name);
        // The catalogue shows a login only the columns it may use: a table it may not read would
        // seem to be missing.
        if (dialect == Dialect::Postgres
            && holdsOne(query("SELECT to_regclass('" + name + "') IS NOT NULL AND NOT has_table_privilege(to_regclass('"
                              + name + "'), 'SELECT')"))) {
            problems.push_back({Kind::TableNotReadable, tableName, {}, {}, query("SELECT current_user").value(0)});
            continue;
        }
        const QStringList columns = query(
            dialect == Dialect::Sqlite
                ? "SELECT name FROM pragma_table_info('" + name + "')"
                : "SELECT column_name FROM information_schema.columns WHERE table_schema = current_schema() "
                  "AND table_name = '" + name + "'");
        if (columns.isEmpty()) {
            problems.push_back({Kind::TableMissing, tableName});
            continue;
        }
        for (const ColumnDef &column : table.columns)
            if (!columns.contains(nameOf(column.name), Qt::CaseInsensitive))
                problems.push_back({Kind::ColumnMissing, tableName, nameOf(column.name)});
    }
    if (!problems.empty())
        return problems;
    // tel is read only by the fixed-length scheme, s = 0, where it is the length of a number.
    if (query("SELECT count(*) FROM param WHERE s <> 0 OR (s = 0 AND tel BETWEEN 1 AND "
              + std::to_string(kLongestPhone) + ")")
        == QStringList{QStringLiteral("0")})
        problems.push_back({Kind::PhoneSchemeNotSet, QStringLiteral("param")});
    return problems;
}

std::vector<AuditProblem> unfitTextProblems(const AuditQuery &query, Dialect dialect)
{
    using Kind = AuditProblem::Kind;
    const std::vector<std::string> columns = dialect == Dialect::Sqlite ? textColumns() : unlimitedColumns(query);
    if (columns.empty())
        return {};
    // One pass over tab: "id u1 u2 ...", each u the column's unfitness.
    std::string values = "id", unfit;
    for (const std::string &column : columns) {
        values += " || ' ' || " + unfitness(column, dialect);
        unfit += (unfit.empty() ? "" : " OR ") + unfitness(column, dialect) + " <> 0";
    }
    const std::string rows = std::to_string(kNamedRows + 1);
    const std::string sql = dialect == Dialect::Sqlite
        ? "SELECT " + values + " FROM tab WHERE " + unfit + " ORDER BY id LIMIT " + rows
        : "select top " + rows + " " + values + " from tab where " + unfit + " order by id";
    const QString tab = QStringLiteral("tab");
    std::vector<AuditProblem> problems;
    const QStringList found = query(sql);
    for (const QString &row : found.mid(0, kNamedRows)) {
        const QStringList cells = row.split(u' ');
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const qint64 length = cells.value(qsizetype(c) + 1).toLongLong();
            if (length == 0)
                continue;
            problems.push_back({length < 0 ? Kind::TextHoldsNul : Kind::TextTooLong, tab,
                                QString::fromStdString(columns[c]), cells.first(), {}, length});
        }
    }
    if (found.size() > kNamedRows)
        problems.push_back({Kind::MoreUnfitTexts, tab});
    if (dialect == Dialect::Postgres)
        for (const std::string &column : columns)
            problems.push_back({Kind::ColumnNotLimited, tab, QString::fromStdString(column)});
    return problems;
}

std::vector<AuditProblem> serverRightsProblems(const AuditQuery &query)
{
    using Kind = AuditProblem::Kind;
    std::vector<AuditProblem> problems;
    if (holdsOne(query(std::string("select count(*) from pg_class where oid = to_regclass('") + kChangeTable
                       + "') and has_table_privilege('public', oid, 'SELECT')")))
        problems.push_back({Kind::ChangesReadByAll, QLatin1String(kChangeTable)});
    const std::string editor
        = std::string("current_database() || '") + directoryRoleSuffix(DirectoryRole::Editor) + "'";
    if (holdsOne(query("select count(*) from pg_roles where rolname = " + editor
                       + " and has_column_privilege(oid, to_regclass('tab'), 'id', 'UPDATE')")))
        problems.push_back({Kind::EditorsChangeIds, QStringLiteral("tab")});
    return problems;
}

} // namespace store
