# shellcheck shell=bash
# "scripts/run --demo": a private PostgreSQL with a small shop database, a settings file of its
# own pointing the window at it (the user's own settings stay untouched) and a fresh output
# folder; the server stops when the program closes. Source it and call demo_run PROGRAM.

demo_run() {
    local program=$1
    shift
    source "$BRINDLECAST_ROOT/scripts/lib/postgres.sh"
    DEMO_DIR=$(mktemp -d /tmp/brindlecast-demo.XXXXXX)
    trap 'pg_stop; rm -f "$DEMO_DIR/Marrowick.ini"' EXIT
    pg_start
    psql -q -v ON_ERROR_STOP=1 -d postgres -c "CREATE DATABASE shop" >/dev/null
    psql -q -v ON_ERROR_STOP=1 -d shop -f "$BRINDLECAST_ROOT/resources/demo-shop.sql" >/dev/null
    mkdir -p "$DEMO_DIR/foxpro"
    # Preview off, so "Start Converting" writes the tables straight into the folder.
    (
        umask 077
        cat >"$DEMO_DIR/Marrowick.ini" <<INI
[Brindlecast]
PostgreSQLServer=$BRINDLECAST_PGHOST
PostgreSQLPort=$BRINDLECAST_PGPORT
PostgreSQLUser=$BRINDLECAST_PGUSER
PostgreSQLPassword=$BRINDLECAST_PGPASSWORD
PostgreSQLDatabase=shop
FreeTableFolder=$DEMO_DIR/foxpro
FoxproOption=2
Check1=0
INI
    )
    echo "Demo: database \"shop\" on $BRINDLECAST_PGHOST:$BRINDLECAST_PGPORT;" \
        "FoxPro tables go to $DEMO_DIR/foxpro"
    BRINDLECAST_SETTINGS="$DEMO_DIR/Marrowick.ini" "$program" "$@" || true
    echo "The converted tables stay in $DEMO_DIR/foxpro"
}
