#!/usr/bin/env bash
# Builds Velorix and runs every test in a fresh Wine prefix on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh"
# Unformatted code fails the run; scripts/format.sh --fix formats it.
bash "$root/scripts/format.sh"

work=$(mktemp -d /tmp/velorix-test.XXXXXX)
. "$root/scripts/wine-env.sh"
start_headless_session "$work"

cd "$build"
ctest --output-on-failure "$@"
