#!/usr/bin/env bash
# The local PostgreSQL cluster of the demo, kept under the project folder in .pgdata/
# (data in .pgdata/data, unix socket in .pgdata, port 5432, no TCP).
#
#   scripts/pgcluster.sh [start]   start the cluster if it is not running; create and load the
#                                  database norda_erp (schema, reserved rows, demo data) if it
#                                  does not exist yet
#   scripts/pgcluster.sh stop      stop the cluster if it is running
#   scripts/pgcluster.sh status    tell whether it is running
#   scripts/pgcluster.sh load NAME FILE [psql options...]
#                                  start the cluster and create the database NAME from the schema,
#                                  the reserved rows and FILE, unless NAME exists already
#
# The application connects with host = the absolute path of .pgdata.
set -euo pipefail

REPO="$(cd "$(dirname "$0")/.." && pwd)"
PGDIR="$REPO/.pgdata"
DATA="$PGDIR/data"
DB=norda_erp

bindir() {
    local d
    d="$(pg_config --bindir 2>/dev/null || true)"
    if [ -n "$d" ] && [ -x "$d/initdb" ]; then
        echo "$d"
        return
    fi
    d="$(printf '%s\n' /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"
    if [ -z "$d" ] || [ ! -x "$d/initdb" ]; then
        echo "PostgreSQL server programs not found (run scripts/deps.sh)" >&2
        exit 1
    fi
    echo "$d"
}
BIN="$(bindir)"

# initdb and the server refuse to run as root: as root they run as postgres.
as_server() {
    if [ "$(id -u)" -eq 0 ]; then
        (cd / && runuser -u postgres -- "$@")
    else
        (cd / && "$@")
    fi
}

psql_su() {
    PGOPTIONS="-c client_min_messages=warning" "$BIN/psql" -X -q -w -v ON_ERROR_STOP=1 -h "$PGDIR" -p 5432 -U postgres "$@"
}

running() {
    [ -f "$DATA/PG_VERSION" ] && as_server "$BIN/pg_ctl" -D "$DATA" status >/dev/null 2>&1
}

prepare_dir() {
    mkdir -p "$PGDIR"
    if [ "$(id -u)" -eq 0 ]; then
        # The server user must be able to reach .pgdata through every parent directory.
        local d="$REPO"
        while [ "$d" != "/" ]; do
            if [ "$(( 0$(stat -c '%a' "$d") & 1 ))" -eq 0 ]; then
                chmod o+x "$d"
            fi
            d="$(dirname "$d")"
        done
        chown -R postgres:postgres "$PGDIR"
    fi
    # A unix socket path is limited to 107 bytes.
    if [ "$(printf '%s' "$PGDIR/.s.PGSQL.5432" | wc -c)" -gt 107 ]; then
        echo "The project path is too long for a unix socket: $PGDIR" >&2
        exit 1
    fi
}

start() {
    if running; then
        echo "PostgreSQL cluster in $PGDIR is already running"
    else
        prepare_dir
        if [ ! -f "$DATA/PG_VERSION" ]; then
            echo "Creating PostgreSQL cluster in $DATA"
            as_server "$BIN/initdb" -D "$DATA" -U postgres -E UTF8 --locale=C.UTF-8 -A trust \
                >"$PGDIR/initdb.log"
        fi
        as_server "$BIN/pg_ctl" -D "$DATA" -l "$PGDIR/server.log" -w \
            -o "-c listen_addresses='' -k '$PGDIR' -p 5432" start >/dev/null
        echo "PostgreSQL cluster started (socket in $PGDIR)"
    fi

    if [ "$(psql_su -d postgres -tAc "select 1 from pg_database where datname = '$DB'")" = 1 ]; then
        echo "Database $DB is present"
        return
    fi
    echo "Creating database $DB with demo data"
    create_database "$DB" "$REPO/db/demo.sql"
}

# create_database NAME FILE [psql options...]: the schema, the reserved rows and FILE.
# Loaded under a scratch name and renamed at the end, so that a failed load never leaves a
# half-filled database behind.
create_database() {
    local name="$1" file="$2"
    shift 2
    local tmp="${name}_loading"
    psql_su -d postgres -c "drop database if exists $tmp"
    psql_su -d postgres -c "create database $tmp locale_provider icu icu_locale 'ru-RU' template template0"
    psql_su -d "$tmp" "$@" -f "$REPO/db/schema.sql" -f "$REPO/db/reserved.sql" -f "$file"
    psql_su -d postgres -c "alter database $tmp rename to $name"
    echo "Database $name is ready"
}

load() {
    local name="$1"
    start >/dev/null
    if [ "$(psql_su -d postgres -tAc "select 1 from pg_database where datname = '$name'")" = 1 ]; then
        echo "Database $name is present"
        return
    fi
    echo "Creating database $name from $2"
    create_database "$@"
}

stop() {
    if running; then
        as_server "$BIN/pg_ctl" -D "$DATA" -m fast -w stop >/dev/null
        echo "PostgreSQL cluster in $PGDIR stopped"
    else
        echo "PostgreSQL cluster in $PGDIR is not running"
    fi
}

status() {
    if running; then
        echo "running (socket in $PGDIR, database $DB)"
    else
        echo "stopped"
        return 3
    fi
}

case "${1:-start}" in
    start) start ;;
    stop) stop ;;
    status) status ;;
    load)
        shift
        [ $# -ge 2 ] || { echo "usage: $0 load NAME FILE [psql options...]" >&2; exit 2; }
        load "$@"
        ;;
    *)
        echo "usage: $0 [start|stop|status|load NAME FILE]" >&2
        exit 2
        ;;
esac
