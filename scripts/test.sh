#!/usr/bin/env bash
# Builds Velorix and runs every test in a fresh Wine prefix on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh"

work=$(mktemp -d /tmp/velorix-test.XXXXXX)
export WINEPREFIX=$work/prefix
. "$root/scripts/wine-env.sh"
unset DISPLAY
wineserver -k 2>/dev/null || true
start_virtual_display
cleanup() { wineserver -k 2>/dev/null || true; stop_virtual_display; rm -rf "$work"; }
trap cleanup EXIT

make_wine_prefix
# Keep one wineserver and Wine's helpers up for the whole run.
wineserver -p >/dev/null 2>&1
wine cmd /c exit 0 >/dev/null 2>&1 || true

cd "$build"
ctest --output-on-failure "$@"
