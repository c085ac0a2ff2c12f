#!/usr/bin/env bash
# Reads a 1,000,000-row table through the ODBC layer (server-side cursor) and with psql's
# \copy to /dev/null in the same private cluster, and prints rows per second and the ratio.
# Usage: bench/odbc_read.sh [BUILD_DIR] [ROWS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-$root/build-odbc}
rows=${2:-1000000}
source "$root/scripts/lib/postgres.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRINDLECAST_BENCH=ON >/dev/null
cmake --build "$build" --target bench_odbc_read -j 2 >/dev/null

trap pg_stop EXIT
pg_start >/dev/null
psql -q -d postgres -c "CREATE DATABASE bench"
psql -q -d bench <<SQL
CREATE TABLE wide (id integer, amount numeric(12,2), ratio double precision, born date,
                   stamp timestamp, flag boolean, name varchar(40), note text);
INSERT INTO wide
SELECT i, i * 1.25, i / 7.0, date '2000-01-01' + i % 9000, timestamp '2021-08-31 13:05:09' + i * interval '1 second',
       i % 2 = 0, 'name ' || i, repeat('x', i % 50)
FROM generate_series(1, $rows) AS i;
VACUUM ANALYZE wide;
SQL

# The machine may be shared: each reader runs three times after a warm-up, and the best
# run of each counts.
psql -q -d bench -c "\\copy wide to /dev/null" >/dev/null
copy_seconds=
for _ in 1 2 3; do
    start=$(date +%s.%N)
    psql -q -d bench -c "\\copy wide to /dev/null"
    end=$(date +%s.%N)
    s=$(echo "$end - $start" | bc -l)
    if [ -z "$copy_seconds" ] || [ "$(echo "$s < $copy_seconds" | bc -l)" -eq 1 ]; then copy_seconds=$s; fi
done

odbc_seconds=
rss_kb=0
for _ in 1 2 3; do
    read -r count s kb _ < <("$build/bin/bench_odbc_read" bench wide)
    [ "$count" -eq "$rows" ] || { echo "read $count rows, expected $rows" >&2; exit 1; }
    if [ -z "$odbc_seconds" ] || [ "$(echo "$s < $odbc_seconds" | bc -l)" -eq 1 ]; then odbc_seconds=$s; fi
    if [ "$kb" -gt "$rss_kb" ]; then rss_kb=$kb; fi
done

odbc_rate=$(echo "$rows / $odbc_seconds" | bc -l)
copy_rate=$(echo "$rows / $copy_seconds" | bc -l)
printf 'rows:              %d (8 columns: integer, numeric, double, date, timestamp, boolean, varchar, text)\n' "$rows"
printf 'ODBC layer:        %.0f rows/s (%.2f s, peak RSS %d MB)\n' "$odbc_rate" "$odbc_seconds" $((rss_kb / 1024))
printf 'psql \\copy:        %.0f rows/s (%.2f s)\n' "$copy_rate" "$copy_seconds"
printf 'ratio ODBC/\\copy:  %.2f (best of 3 runs each)\n' "$(echo "$odbc_rate / $copy_rate" | bc -l)"
