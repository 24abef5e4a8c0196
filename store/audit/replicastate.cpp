#include "store/audit/replicastate.h"

#include "store/querychannel.h"

namespace store {

QString serverLogPosition(QueryChannel &primary)
{
    return primary.scalar(QStringLiteral("select pg_current_wal_lsn()::text"), {}).toString();
}

ReplicaState replicaState(Connection &replica, const QString &position)
{
    QueryChannel channel(replica);
    channel.run(QStringLiteral(
        "select pg_is_in_recovery()::int as standby,"
        " (case when pg_is_in_recovery() then pg_is_wal_replay_paused() else false end)::int as paused,"
        " exists(select 1 from pg_stat_wal_receiver where status is null or status = 'streaming')::int as receiving,"
        " greatest(pg_wal_lsn_diff('%1'::text::pg_lsn, pg_last_wal_replay_lsn()), 0)::bigint as behind,"
        " extract(epoch from now() - pg_last_xact_replay_timestamp())::float8 as seconds")
                    .arg(position));
    ReplicaState state;
    state.behind = channel.integer(QStringLiteral("behind"));
    if (const QVariant seconds = channel.value(QStringLiteral("seconds")); state.behind > 0 && !seconds.isNull())
        state.secondsSinceReplay = seconds.toDouble();
    state.standby = channel.integer(QStringLiteral("standby")) == 1;
    state.receiving = channel.integer(QStringLiteral("receiving")) == 1;
    state.paused = channel.integer(QStringLiteral("paused")) == 1;
    return state;
}

} // namespace store
