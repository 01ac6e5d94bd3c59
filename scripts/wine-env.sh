# Sourced by the run, test and bench scripts: which architectures this
# machine runs, and for each its build folder and a Wine prefix of our own on
# an X display.
#   VELORIX_ARCHS  overrides the decision: "i686 x86_64", "i686" or "x86_64"
#   WINEPREFIX     the prefix to use (created when missing)
#   DISPLAY        used when set; otherwise a virtual display is started
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Every architecture is built on every machine, so neither can rot.
BUILT_ARCHS="i686 x86_64"

# Some machines boot with the kernel's 32-bit emulation off: there Wine's
# 32-bit loader fails with "Exec format error", and only 64-bit Wine runs.
runs_32bit_programs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Sets ARCHS, the architectures whose programs this machine runs, and
# ARCHS_WHY, one line saying why.
decide_archs() {
  if [ -n "${VELORIX_ARCHS:-}" ]; then
    ARCHS=$VELORIX_ARCHS
    ARCHS_WHY="chosen by VELORIX_ARCHS"
  elif runs_32bit_programs; then
    ARCHS="i686 x86_64"
    ARCHS_WHY="this machine runs 32-bit programs"
  elif [ ! -e /usr/lib/wine/wine ]; then
    ARCHS="x86_64"
    ARCHS_WHY="32-bit Wine is not installed on this machine"
  else
    ARCHS="x86_64"
    ARCHS_WHY="this machine cannot run 32-bit programs (Wine's 32-bit loader does not start)"
  fi
  local arch
  for arch in $ARCHS; do
    case $arch in i686 | x86_64) ;; *) echo "unknown architecture in VELORIX_ARCHS: $arch" >&2; return 1 ;; esac
  done
}

build_dir_of() { case $1 in i686) echo "$root/build" ;; x86_64) echo "$root/build-x64" ;; esac; }
toolchain_of() { echo "$root/cmake/mingw-$1.cmake"; }

# Makes wine and wineserver those of architecture $1, with a prefix of its kind.
use_arch() {
  ARCH=$1
  ARCH_BUILD=$(build_dir_of "$1")
  case $1 in
    i686)
      WINE_LOADER=/usr/lib/wine/wine
      export WINEARCH=win32 WINESERVER=/usr/lib/wine/wineserver32
      ;;
    x86_64)
      # Debian keeps this loader off PATH; the wine command there would pick
      # the 32-bit one whenever it is installed.
      WINE_LOADER=/usr/lib/wine/wine64
      export WINEARCH=win64 WINESERVER=/usr/lib/wine/wineserver64
      ;;
  esac
  [ -x "$WINESERVER" ] || export WINESERVER=/usr/lib/wine/wineserver
}
wine() { "$WINE_LOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# Configures (once) folder $3 for architecture $1 in configuration $2 and
# builds the targets that follow (all when none); further cmake options may
# come in CONFIGURE_OPTIONS.
build_in() {
  local arch=$1 config=$2 build=$3; shift 3
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$(toolchain_of "$arch")" \
          -DCMAKE_BUILD_TYPE="$config" ${CONFIGURE_OPTIONS:-} >/dev/null ||
      { echo "configuring the $arch $config build in $build failed" >&2; return 1; }
  fi
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$build" -j"$(nproc)" "${targets[@]}" -- --no-print-directory -s ||
    { echo "building the $arch $config programs in $build failed" >&2; return 1; }
}

# The Release build of architecture $1 with everything, or the targets named.
build_arch() { local arch=$1; shift; build_in "$arch" Release "$(build_dir_of "$arch")" "$@"; }

# Velorix.exe alone linked in the other configurations, so a runtime piece
# that links only with optimisation cannot go unnoticed.
link_other_configs() {
  local arch config
  for arch in $BUILT_ARCHS; do
    for config in Debug RelWithDebInfo; do
      CONFIGURE_OPTIONS=-DVELORIX_TESTS=OFF build_in "$arch" "$config" "$root/build-links/$arch-$config" Velorix
    done
  done
}

start_virtual_display() {
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    export DISPLAY=:$n
    return 0
  done
  echo "no free display number" >&2; return 1
}

stop_virtual_display() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=""; }

# A prefix with a virtual desktop (no window manager here: without it every
# hide or destroy of a top-level window blocks for seconds) and Wine's own
# fonts, which Debian's Wine does not find by itself.
make_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1 || { echo "wineboot ($ARCH) failed in $WINEPREFIX" >&2; return 1; }
    wineserver -w
  fi
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  # The desktop and the fonts take effect with a fresh wineserver.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# A fresh prefix in folder $1 on a virtual display of its own, with one
# wineserver and Wine's helpers kept up for the whole session (their output
# detached, or pipes of the caller stay open). Removes everything at exit.
start_headless_session() {
  SESSION_DIR=$1
  export WINEPREFIX=$SESSION_DIR/prefix
  # No Linux desktop entries for the session's shortcuts.
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
  unset DISPLAY
  wineserver -k 2>/dev/null || true
  start_virtual_display
  trap 'wineserver -k 2>/dev/null || true; stop_virtual_display; rm -rf "$SESSION_DIR"' EXIT
  make_wine_prefix
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit 0 >/dev/null 2>&1 || true
}
