#!/usr/bin/env bash
# Configures and builds Velorix and its tests for both architectures: 32-bit
# into build/, 64-bit into build-x64/. Arguments name the targets to build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
for arch in $BUILT_ARCHS; do
  build_arch "$arch" "$@"
done
