#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Velorix.
# Quick when everything is already there.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have wine || need+=(wine)
# 64-bit Wine runs everywhere; 32-bit Wine only where the kernel runs 32-bit
# programs, but it installs on every machine.
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
[ -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ] || \
  [ -e /usr/lib/wine/i386-windows/kernel32.dll ] || need+=(wine32:i386)
have Xvfb || need+=(xvfb)
have xauth || need+=(xauth)
have cmake || need+=(cmake)
have clang-format || need+=(clang-format)
have icotool || need+=(icoutils)
have import || need+=(imagemagick)
have xwd || need+=(x11-apps)
have xdpyinfo || need+=(x11-utils)
[ -d /usr/src/googletest ] || need+=(googletest)
[ -d /usr/share/wine/fonts ] || need+=(fonts-wine)
have makensis || need+=(nsis)
# Signing and the test command's throwaway certificate.
have osslsigncode || need+=(osslsigncode)
have openssl || need+=(openssl)

if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  if [[ " ${need[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails some index files; what it did give is
  # still used, and the install below says whether that was enough.
  for try in 1 2 3; do
    $SUDO apt-get update -qq && break
    [ "$try" = 3 ] || sleep 10
  done
  # 32-bit Wine is installed on its own: where the i386 packages cannot be
  # had, the 64-bit build alone is run, as on a machine without 32-bit
  # emulation.
  rest=() wine32=()
  for p in "${need[@]}"; do
    case $p in wine32:i386) wine32=("$p") ;; *) rest+=("$p") ;; esac
  done
  if [ ${#rest[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${rest[@]}" >/dev/null
  fi
  if [ ${#wine32[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${wine32[@]}" >/dev/null ||
      echo "setup: 32-bit Wine could not be installed; only the 64-bit programs will run" >&2
  fi
fi
