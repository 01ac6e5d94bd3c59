#!/usr/bin/env bash
# Builds Velorix for both architectures and runs every test, in a fresh Wine
# prefix on a virtual display, for each architecture this machine runs; and
# checks, for both, that a second build gives the same files and that a
# build given a certificate signs them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The ordinary builds are unsigned, whatever this shell holds: a build
# signs only when its own environment names a certificate.
unset VELORIX_SIGN_PFX VELORIX_SIGN_PASSWORD_FILE VELORIX_SIGN_TIMESTAMP_URL
bash "$root/scripts/build.sh"
. "$root/scripts/wine-env.sh"
. "$root/scripts/release-checks.sh"
link_other_configs
# Unformatted code fails the run; scripts/format.sh --fix formats it.
bash "$root/scripts/format.sh"

failed=""
# Kept to the end: the signed setups are installed under Wine below.
release=$(mktemp -d /tmp/velorix-release.XXXXXX)
trap 'rm -rf "$release"' EXIT
check_reproducible "$release" || failed="$failed reproducibility"
build_signed "$release" || failed="$failed signing"

decide_archs
echo "Tests run for: $ARCHS ($ARCHS_WHY)"
for arch in $ARCHS; do
  echo "== $arch =="
  (
    use_arch "$arch"
    start_headless_session "$(mktemp -d /tmp/velorix-test-$arch.XXXXXX)"
    cd "$ARCH_BUILD"
    ctest --output-on-failure "$@"
    # The signed setup installs, with its signed uninstaller, and uninstalls.
    signed_setup=$(ls "$(second_build_of "$release" "$arch")"/bin/Velorix-Setup-*.exe)
    VELORIX_SETUP="Z:${signed_setup//\//\\}" wine bin/e2e_tests.exe \
      --gtest_filter='Installer.SilentInstall*:Installer.UninstallRemoves*'
  ) || failed="$failed $arch"
done
# Last, since it turns the signed setups back into unsigned ones.
check_unsigned_again "$release" || failed="$failed signing-follows-environment"
if [ -n "$failed" ]; then
  echo "Tests failed for:$failed" >&2
  exit 1
fi
echo "Tests passed for: $ARCHS"
