#!/usr/bin/env bash
# Takes the screenshots of the main window and of Advanced Options shown in docs/, under a
# private Xvfb display (with openbox, when installed, for the title bars).
# Usage: tests/gui/app/screenshots.sh BUILD_DIR [OUT_DIR]
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$(cd "$(dirname "$0")/../../.." && pwd)/docs}
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 -dpi 96 >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
sleep 1
export DISPLAY=$display BRINDLECAST_SETTINGS=$work/Marrowick.ini
command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & sleep 1; }

# A filled-in window looks like the program in use.
cat >"$work/Marrowick.ini" <<INI
[Brindlecast]
PostgreSQLServer=localhost
PostgreSQLPort=5432
PostgreSQLUser=shop
PostgreSQLPassword=secret
PostgreSQLDatabase=shop
FreeTableFolder=/home/user/foxpro/shop
FoxproOption=2
DBCFile=/home/user/foxpro/shop.dbc
INI

shoot() {
    local what=$1 file=$2
    "$build/bin/brindlecast_screenshot" "$what" &
    local app=$!
    sleep 3
    # The whole screen, cropped to the windows shown on it.
    import -window root "$work/screen.png"
    convert "$work/screen.png" -trim +repage "$out/$file"
    kill "$app"
    wait "$app" 2>/dev/null || true
}
mkdir -p "$out"
shoot main main-window.png
shoot form6 advanced-options.png
echo "Screenshots in $out"
