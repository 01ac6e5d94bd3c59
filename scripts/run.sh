#!/usr/bin/env bash
# Builds Velorix and starts it under Wine: the 32-bit program where this
# machine runs 32-bit programs, the 64-bit one elsewhere. On your X display
# when DISPLAY is set, otherwise on a virtual display, saving a screenshot
# whose path is printed. The Wine prefix is kept in
# ${WINEPREFIX:-~/.velorix-wine-<architecture>}.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
trap 'echo "run.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
bash "$root/scripts/build.sh" Velorix installer
. "$root/scripts/wine-env.sh"

decide_archs
set -- $ARCHS
use_arch "$1"
echo "Running the $ARCH Velorix.exe: $ARCHS_WHY"
export WINEPREFIX=${WINEPREFIX:-$HOME/.velorix-wine-$ARCH}

if [ -n "${DISPLAY:-}" ]; then
  make_wine_prefix
  exec "$WINE_LOADER" "$ARCH_BUILD/bin/Velorix.exe"
fi

wineserver -k 2>/dev/null || true
start_virtual_display
trap 'wineserver -k 2>/dev/null || true; stop_virtual_display' EXIT
make_wine_prefix
wine "$ARCH_BUILD/bin/Velorix.exe" &
sleep "${VELORIX_SHOT_DELAY:-6}"
shot=$ARCH_BUILD/velorix-screenshot.png
import -window root "$shot"
echo "$shot"
