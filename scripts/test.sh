#!/usr/bin/env bash
# Builds Velorix for both architectures and runs every test, in a fresh Wine
# prefix on a virtual display, for each architecture this machine runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
. "$root/scripts/wine-env.sh"
link_other_configs
# Unformatted code fails the run; scripts/format.sh --fix formats it.
bash "$root/scripts/format.sh"

decide_archs
echo "Tests run for: $ARCHS ($ARCHS_WHY)"
failed=""
for arch in $ARCHS; do
  echo "== $arch =="
  (
    use_arch "$arch"
    start_headless_session "$(mktemp -d /tmp/velorix-test-$arch.XXXXXX)"
    cd "$ARCH_BUILD"
    ctest --output-on-failure "$@"
  ) || failed="$failed $arch"
done
if [ -n "$failed" ]; then
  echo "Tests failed for:$failed" >&2
  exit 1
fi
echo "Tests passed for: $ARCHS"
