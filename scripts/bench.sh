#!/usr/bin/env bash
# Builds the benchmark and runs it under Wine in a fresh prefix on a virtual
# display: the 32-bit programs where this machine runs them, the 64-bit ones
# elsewhere (VELORIX_ARCHS chooses). Prints the machine and architecture it
# ran on and the table. Takes several minutes: under Wine each network query
# of a tick takes milliseconds.
# Options after the script name go to the benchmark (--smoke: a quick run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
decide_archs
arch=${ARCHS%% *}
use_arch "$arch"
work=$(mktemp -d /tmp/velorix-bench.XXXXXX)
if ! build_arch "$arch" bench >"$work/build.log" 2>&1; then
  cat "$work/build.log"; rm -rf "$work"; exit 1
fi

start_headless_session "$work"

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(wine --version)"
echo "Architecture: $arch ($ARCHS_WHY)"
echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
cd "$ARCH_BUILD/bin"
status=0
wine velorix_bench.exe "$@" >"$work/table.txt" 2>&1 || status=$?
cat "$work/table.txt"
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
