#include "cli/storeaudit.h"

#include "store/admin/changerecord.h"
#include "store/admin/serverroles.h"
#include "store/schema.h"

namespace cli {

namespace {

// Named one by one up to this many rows; a copy names the first it meets anyway.
constexpr int kNamedRows = 10;

const QString kByGrant = QStringLiteral("zelvik-cli grant, run by the directory's owner, mends it");

std::vector<std::string> textColumns()
{
    std::vector<std::string> columns;
    for (const store::ColumnDef &column : store::programTables().front().columns)
        if (column.kind == store::ColumnKind::Text)
            columns.emplace_back(column.name);
    return columns;
}

// Per column, what is wrong with its value in a row: -1 a NUL, a length past the limit, else 0.
std::string unfitness(const std::string &column, store::Dialect dialect)
{
    const std::string limit = std::to_string(store::kTextValueLimit);
    if (dialect == store::Dialect::Sqlite)
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
        if (!present.contains(QString::fromStdString(store::serverTextLimitName(column))))
            columns.push_back(column);
    return columns;
}

} // namespace

QStringList unfitTextProblems(const AuditQuery &query, store::Dialect dialect)
{
    const std::vector<std::string> columns
        = dialect == store::Dialect::Sqlite ? textColumns() : unlimitedColumns(query);
    if (columns.empty())
        return {};
    // One pass over tab: "id u1 u2 ...", each u the column's unfitness.
    std::string values = "id", unfit;
    for (const std::string &column : columns) {
        values += " || ' ' || " + unfitness(column, dialect);
        unfit += (unfit.empty() ? "" : " OR ") + unfitness(column, dialect) + " <> 0";
    }
    const std::string rows = std::to_string(kNamedRows + 1);
    const std::string sql = dialect == store::Dialect::Sqlite
        ? "SELECT " + values + " FROM tab WHERE " + unfit + " ORDER BY id LIMIT " + rows
        : "select top " + rows + " " + values + " from tab where " + unfit + " order by id";
    QStringList problems;
    const QStringList found = query(sql);
    for (const QString &row : found.mid(0, kNamedRows)) {
        const QStringList cells = row.split(u' ');
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const qint64 length = cells.value(qsizetype(c) + 1).toLongLong();
            if (length == 0)
                continue;
            const QString where = QStringLiteral("table tab, row id %1, column %2: ")
                                      .arg(cells.first(), QString::fromStdString(columns[c]));
            problems << where
                    + (length < 0 ? QStringLiteral("the text holds a NUL character")
                                  : QStringLiteral("the text is %1 characters long, longer than the %2 a store holds")
                                        .arg(length)
                                        .arg(store::kTextValueLimit));
        }
    }
    if (found.size() > kNamedRows)
        problems << QStringLiteral("table tab: more rows after these hold such texts");
    if (dialect == store::Dialect::Postgres)
        for (const std::string &column : columns)
            problems << QStringLiteral("column %1 of tab is not held to %2 characters by the server: %3 once no "
                                       "value is longer")
                            .arg(QString::fromStdString(column))
                            .arg(store::kTextValueLimit)
                            .arg(kByGrant);
    return problems;
}

QStringList serverRightsProblems(const AuditQuery &query)
{
    QStringList problems;
    const auto holds = [&](const std::string &sql) { return query(sql) == QStringList{QStringLiteral("1")}; };
    if (holds(std::string("select count(*) from pg_class where oid = to_regclass('") + store::kChangeTable
              + "') and has_table_privilege('public', oid, 'SELECT')"))
        problems << QStringLiteral("the record of changes (%1) may be read by every login of the server: %2")
                        .arg(QLatin1String(store::kChangeTable), kByGrant);
    const std::string editor = std::string("current_database() || '")
        + store::directoryRoleSuffix(store::DirectoryRole::Editor) + "'";
    if (holds("select count(*) from pg_roles where rolname = " + editor
              + " and has_column_privilege(oid, to_regclass('tab'), 'id', 'UPDATE')"))
        problems << QStringLiteral("the directory's editors may change an entry's id: %1").arg(kByGrant);
    return problems;
}

} // namespace cli
