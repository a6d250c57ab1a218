# Sourced: makes sure an X display is there, starting a private Xvfb when DISPLAY is unset or dead.
# Sets DISPLAY; the Xvfb started here ends with the shell that sourced this file.
zorun_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local number
  for number in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 "${ZORUN_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    ZORUN_XVFB_PID=$!
    trap 'kill $ZORUN_XVFB_PID 2>/dev/null' EXIT
    export DISPLAY=":$number"
    for _ in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    echo "Xvfb did not start on :$number" >&2
    return 1
  done
  echo "no free X display number" >&2
  return 1
}

# A Wine prefix of the project's own, made once; Wine's chatter is silenced.
zorun_ensure_wine_prefix() {
  export WINEPREFIX="${WINEPREFIX:-$1/wine-prefix}"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # A crashing test program must fail its test, not wait forever behind a crash dialog on Xvfb.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}
