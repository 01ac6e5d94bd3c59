# Sourced by the run and test scripts: a Wine prefix of our own on an X display.
#   WINEPREFIX  the prefix to use (created when missing)
#   DISPLAY     used when set; otherwise a virtual display is started
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

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
    wineboot -i >/dev/null 2>&1
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
