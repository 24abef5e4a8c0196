#include "store/admin/changerecord.h"

#include "store/postgres/preparedstatements.h"
#include "store/postgres/serverconnection.h"
#include "store/provisioning/serverstorecreation.h"
#include "store/querychannel.h"
#include "store/storeerror.h"

#include <libpq-fe.h>

namespace store {

namespace {

// %1 is tab's schema, quoted, and %2 the directory's reader role: the function runs with a search
// path of the catalog alone, so that no one can slip a table or an operator of their own into what
// it runs with the owner's rights.
// Every write to tab pays for each index here, so the one index is the entry's, for an entry's
// history; listing by time reads the whole record anyway. An update that changes nothing leaves no
// line; the id is the line's entry, not one of its values, unless an update changed it. The lines
// hold every entry's values, deleted ones too: only those who may read the directory read them
// (the reader role, which the others include, and the owner), never every login, and the rights are
// set afresh each time, so that a record made before is closed again.
constexpr const char *kScript = R"sql(
CREATE TABLE IF NOT EXISTS %1.tab_changes (
  id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  changed_at timestamptz NOT NULL DEFAULT clock_timestamp(),
  login text NOT NULL,
  entry bigint,
  action text NOT NULL,
  old_values jsonb,
  new_values jsonb);
CREATE INDEX IF NOT EXISTS tab_changes_entry ON %1.tab_changes(entry);
CREATE OR REPLACE FUNCTION %1.tab_change_record() RETURNS trigger
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $body$
DECLARE
  old_row jsonb := CASE WHEN TG_OP <> 'INSERT' THEN to_jsonb(OLD) END;
  new_row jsonb := CASE WHEN TG_OP <> 'DELETE' THEN to_jsonb(NEW) END;
  field text;
BEGIN
  IF TG_OP = 'UPDATE' THEN
    FOR field IN SELECT jsonb_object_keys(new_row) LOOP
      IF old_row -> field = new_row -> field THEN
        old_row := old_row - field;
        new_row := new_row - field;
      END IF;
    END LOOP;
    IF new_row = '{}'::jsonb THEN
      RETURN NULL;
    END IF;
  ELSE
    old_row := old_row - 'id';
    new_row := new_row - 'id';
  END IF;
  INSERT INTO %1.tab_changes(login, entry, action, old_values, new_values)
  VALUES (session_user, CASE WHEN TG_OP = 'DELETE' THEN OLD.id ELSE NEW.id END, lower(TG_OP), old_row, new_row);
  RETURN NULL;
END
$body$;
CREATE OR REPLACE TRIGGER tab_change_record AFTER INSERT OR UPDATE OR DELETE ON %1.tab
  FOR EACH ROW EXECUTE FUNCTION %1.tab_change_record();
REVOKE ALL ON FUNCTION %1.tab_change_record() FROM PUBLIC;
REVOKE ALL ON %1.tab_changes FROM PUBLIC;
GRANT SELECT ON %1.tab_changes TO %2;
)sql";

// tab's schema, quoted for a statement.
QString tabSchema(pg_conn *conn, const QString &name)
{
    const PgResult result(PQexec(conn, "select quote_ident(n.nspname) from pg_class c join pg_namespace n "
                                       "on n.oid = c.relnamespace where c.oid = to_regclass('tab')"));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        throw serverFailure(conn, result.get(), name);
    if (PQntuples(result.get()) != 1)
        throw StoreError(StoreError::Kind::ServerWithoutDirectory, {name});
    return QString::fromUtf8(PQgetvalue(result.get(), 0, 0));
}

// A text literal of the program's dialect.
QString quoted(QString text)
{
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

void createChangeRecord(pg_conn *conn, const QString &name, const QString &readerRole)
{
    serverCommand(conn, QString::fromLatin1(kScript).arg(tabSchema(conn, name), readerRole).toUtf8().constData(), name);
}

void recordCopy(pg_conn *conn, const QString &name)
{
    const QString schema = tabSchema(conn, name);
    serverCommand(conn,
                  QStringLiteral("INSERT INTO %1.tab_changes(login, action, new_values) "
                                 "SELECT session_user, 'copy', jsonb_build_object('entries', count(*)) FROM %1.tab")
                      .arg(schema)
                      .toUtf8()
                      .constData(),
                  name);
}

QString changeListing(const ChangeFilter &filter)
{
    QStringList conditions;
    if (filter.entry)
        conditions << QStringLiteral("entry=%1").arg(*filter.entry);
    if (!filter.since.isEmpty())
        conditions << QStringLiteral("changed_at>=") + quoted(filter.since);
    if (!filter.login.isEmpty())
        conditions << QStringLiteral("login=") + quoted(filter.login);
    const QString where = conditions.isEmpty() ? QString() : QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    return QStringLiteral("select changed_at, login, entry, action, old_values, new_values from tab_changes%1 "
                          "order by changed_at desc, id desc")
        .arg(where);
}

bool hasChangeRecord(QueryChannel &channel)
{
    return channel.dialect() == Dialect::Postgres
        && channel.scalar(QStringLiteral("select to_regclass('tab_changes') is not null"), {}).toBool();
}

ChangePruning pruneChanges(QueryChannel &channel, const QString &before)
{
    const QString owner = channel
                              .scalar(QStringLiteral("select case when pg_has_role(c.relowner, 'USAGE') then '' "
                                                     "else pg_get_userbyid(c.relowner)::text end "
                                                     "from pg_class c where c.oid = to_regclass('tab_changes')"),
                                      {})
                              .toString();
    if (!owner.isEmpty())
        return {0, owner};
    return {channel.write(QStringLiteral("delete from tab_changes where changed_at < ?::timestamptz"), {before}).changes,
            QString()};
}

} // namespace store
