#!/usr/bin/env bash
# Builds Velorix and starts it under Wine: on your X display when DISPLAY is
# set, otherwise on a virtual display, saving a screenshot whose path is
# printed. The Wine prefix is kept in ${WINEPREFIX:-~/.velorix-wine}.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh" Velorix installer

export WINEPREFIX=${WINEPREFIX:-$HOME/.velorix-wine}
. "$root/scripts/wine-env.sh"

if [ -n "${DISPLAY:-}" ]; then
  make_wine_prefix
  exec wine "$build/bin/Velorix.exe" "$@"
fi

wineserver -k 2>/dev/null || true
start_virtual_display
trap 'wineserver -k 2>/dev/null || true; stop_virtual_display' EXIT
make_wine_prefix
wine "$build/bin/Velorix.exe" "$@" &
sleep "${VELORIX_SHOT_DELAY:-6}"
shot=$build/velorix-screenshot.png
import -window root "$shot"
echo "$shot"
