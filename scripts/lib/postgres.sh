# A throwaway PostgreSQL cluster in a temporary folder on a free loopback port.
# Source it, call pg_start, and pg_stop when done. The server refuses to run as root,
# so a root caller runs it as the postgres user.

pg_bin() {
    local bin
    bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
    echo "$bin"
}

pg_as_owner() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

free_port() {
    /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

pg_start() {
    local bin
    bin=$(pg_bin)
    [ -n "$bin" ] || { echo "PostgreSQL server binaries not found" >&2; return 1; }
    PG_DIR=$(mktemp -d /tmp/brindlecast-pg.XXXXXX)
    chmod 755 "$PG_DIR"
    [ "$(id -u)" -eq 0 ] && chown postgres "$PG_DIR"
    export BRINDLECAST_PGHOST=127.0.0.1
    export BRINDLECAST_PGPORT=$(free_port)
    export BRINDLECAST_PGUSER=postgres
    export BRINDLECAST_PGPASSWORD=brindlecast-test
    echo "$BRINDLECAST_PGPASSWORD" > "$PG_DIR/pw"
    [ "$(id -u)" -eq 0 ] && chown postgres "$PG_DIR/pw"
    pg_as_owner "$bin/initdb" -D "$PG_DIR/data" -U postgres --auth=scram-sha-256 \
        --pwfile="$PG_DIR/pw" -E UTF8 --locale=C.UTF-8 >"$PG_DIR/initdb.log" 2>&1 \
        || { cat "$PG_DIR/initdb.log" >&2; return 1; }
    pg_as_owner "$bin/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w \
        -o "-p $BRINDLECAST_PGPORT -k $PG_DIR -c listen_addresses=127.0.0.1 -c fsync=off" \
        start >/dev/null || { cat "$PG_DIR/server.log" >&2; return 1; }
    export PGHOST=$BRINDLECAST_PGHOST PGPORT=$BRINDLECAST_PGPORT PGUSER=postgres
    export PGPASSWORD=$BRINDLECAST_PGPASSWORD
    echo "PostgreSQL running on $BRINDLECAST_PGHOST:$BRINDLECAST_PGPORT ($PG_DIR)"
}

pg_stop() {
    [ -n "${PG_DIR:-}" ] && [ -d "$PG_DIR" ] || return 0
    pg_as_owner "$(pg_bin)/pg_ctl" -D "$PG_DIR/data" -m fast -w stop >/dev/null 2>&1
    rm -rf "$PG_DIR"
    PG_DIR=
}
