# Sourced: X displays for the tests. zorun_ensure_display makes sure one is there, starting a private
# Xvfb when DISPLAY is unset or dead; zorun_start_xvfb starts another. The Xvfbs started here end with the
# shell that sourced this file.
zorun_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  zorun_start_xvfb || return 1
  export DISPLAY=$ZORUN_STARTED_DISPLAY
}

# zorun_start_xvfb: a private Xvfb (screen ZORUN_SCREEN, 1280x1024x24 unless told); its display in
# ZORUN_STARTED_DISPLAY (DISPLAY is left as it is).
zorun_start_xvfb() {
  # The server picks a free display number itself and writes it once it accepts clients (-displayfd):
  # two scripts starting at once cannot take the same number. -noreset: a server that resets when its
  # last client leaves refuses the next one during the reset, which tests side by side would hit.
  local numberfile pid
  numberfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${ZORUN_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$numberfile" >/dev/null 2>&1 &
  pid=$!
  ZORUN_XVFB_PIDS="${ZORUN_XVFB_PIDS:-} $pid"
  # shellcheck disable=SC2064
  trap "kill $ZORUN_XVFB_PIDS 2>/dev/null" EXIT
  for _ in $(seq 1 100); do
    if [ -s "$numberfile" ] && [ "$(wc -l <"$numberfile")" -ge 1 ]; then
      ZORUN_STARTED_DISPLAY=":$(head -n 1 "$numberfile")"
      rm -f "$numberfile"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberfile"
  echo "Xvfb did not start" >&2
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
