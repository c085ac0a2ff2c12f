#!/usr/bin/env bash
# Bench: 1,000,000 INSERT statements of a 12-column shape on a folder of free tables.
# Builds brindlecast-sql and the engine library, then measures
#   1. brindlecast-sql executing the script file end to end (reading lines included),
#   2. the engine alone on statements already in memory,
#   3. the peer: python3-dbf appending the same rows (a sample, scaled to a rate),
# and prints statements per second and the ratio to the peer.
# Usage: bench/foxpro_insert.sh [STATEMENTS] [PEER_ROWS]   (BUILD_DIR to reuse a build)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
N=${1:-1000000}
PEER_N=${2:-20000}
BUILD_DIR=${BUILD_DIR:-$ROOT/build-bench}
PY=/usr/bin/python3

cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" --target brindlecast-sql brindlecast_foxpro --parallel 2 >/dev/null
LIB=$(find "$BUILD_DIR" -name libbrindlecast_foxpro.a | head -1)
WORK=$(mktemp -d "${BENCH_TMP:-$([ -d /dev/shm ] && echo /dev/shm || echo /tmp)}/brindlecast-bench-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
g++ -std=c++17 -O2 -I"$ROOT" "$ROOT/bench/foxpro_insert_bench.cpp" "$LIB" -o "$WORK/engine_bench"

echo "Generating $N statements..."
$PY "$ROOT/bench/foxpro_gen.py" "$N" "$WORK/bench.sql"
statements=$((N + 1))

now() { date +%s.%N; }
rate() { $PY -c "import sys; print('%.0f' % (float(sys.argv[1]) / float(sys.argv[2])))" "$1" "$2"; }

mkdir "$WORK/cli"
t0=$(now)
"$BUILD_DIR/bin/brindlecast-sql" "$WORK/cli" "$WORK/bench.sql"
t1=$(now)
cli_seconds=$($PY -c "import sys; print(float(sys.argv[1]) - float(sys.argv[2]))" "$t1" "$t0")
cli_rate=$(rate "$statements" "$cli_seconds")
rm -rf "$WORK/cli"

mkdir "$WORK/engine"
read -r engine_seconds _ < <("$WORK/engine_bench" "$WORK/bench.sql" "$WORK/engine")
engine_rate=$(rate "$statements" "$engine_seconds")
rm -rf "$WORK/engine"

mkdir "$WORK/peer"
peer_seconds=$($PY "$ROOT/bench/foxpro_peer.py" "$PEER_N" "$WORK/peer")
peer_rate=$(rate "$PEER_N" "$peer_seconds")

printf 'brindlecast-sql, script file end to end: %s statements in %.2f s = %s statements/s\n' \
    "$statements" "$cli_seconds" "$cli_rate"
printf 'engine alone, statements in memory:      %s statements in %.2f s = %s statements/s\n' \
    "$statements" "$engine_seconds" "$engine_rate"
printf 'peer python3-dbf appending the same rows: %s rows in %.2f s = %s rows/s\n' \
    "$PEER_N" "$peer_seconds" "$peer_rate"
$PY -c "import sys; print('ratio brindlecast-sql / peer: %.1fx; engine / peer: %.1fx' % (float(sys.argv[1]) / float(sys.argv[3]), float(sys.argv[2]) / float(sys.argv[3])))" "$cli_rate" "$engine_rate" "$peer_rate"
