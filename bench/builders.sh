#!/usr/bin/env bash
# Rows per second of the INSERT builder over a 12-field row, against a naive peer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/setup.sh"
ensure_packages
build_tree "$root/build-bench" -DBRINDLECAST_BENCH=ON >/dev/null
"$root/build-bench/bin/bench_builders" "${1:-1000000}"
