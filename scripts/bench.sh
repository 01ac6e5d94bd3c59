#!/usr/bin/env bash
# Builds the benchmark and runs it under Wine in a fresh prefix on a virtual
# display; prints the machine it ran on and the table. Takes several
# minutes: under Wine each network query of a tick takes milliseconds.
# Options after the script name go to the benchmark (--smoke: a quick run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/scripts/setup.sh"
work=$(mktemp -d /tmp/velorix-bench.XXXXXX)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
if ! cmake --build "$build" -j"$(nproc)" --target bench >"$work/build.log" 2>&1; then
  cat "$work/build.log"; rm -rf "$work"; exit 1
fi

. "$root/scripts/wine-env.sh"
start_headless_session "$work"

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(wine --version)"
echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
cd "$build/bin"
status=0
wine velorix_bench.exe "$@" >"$work/table.txt" 2>&1 || status=$?
cat "$work/table.txt"
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
