#!/bin/sh
# The .zip of the Windows build: made by CPack, unpacked into a folder with a blank in its name, and its
# programs run from there under Wine on an Xvfb screen of its own: /s (the clouds' window comes, Escape
# ends it and the saver) and /c (the settings dialog comes, and closes on a close request).
#
# zip_wine_e2e.sh BUILD_DIR WINE HOST_PROBE
#   HOST_PROBE  finds a window by title and posts it WM_CLOSE
set -u
build=$1 runner=$2 probe=$3

# shellcheck source=../support/e2e_env.sh
. "$(dirname "$0")/../support/e2e_env.sh"
start_private_session 1024x768

echo "== the package"
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack did not make the package"
  exit 1
fi
zip=$(ls "$work"/out/Zorun-*-windows.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || { fail "no Zorun-*-windows.zip in $(ls "$work/out")"; exit 1; }
cmake -E tar tf "$zip" | sed 's,^[^/]*/,,' | grep -v '/$' | grep . | sort >"$work/contents"
printf 'INSTALL.txt\nLICENSE.txt\nZorun.dll\nZorun.scr\n' | diff - "$work/contents" || fail "the zip's files differ from the list above"

unpacked="$work/Zorun Test"
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
folder=$(dirname "$(ls "$unpacked"/*/Zorun.scr)")
mv "$folder"/* "$unpacked/"
host="$unpacked/Zorun.scr"

echo "== /s from $unpacked"
saver_run_ends_on_escape "$host"

echo "== /c from $unpacked"
"$runner" "$host" /c >"$work/dialog.log" 2>&1 &
dialog=$!
pids="$pids $dialog"
handle=$("$runner" "$probe" find '<Zorun>' | tr -d '\r')
if [ -n "$handle" ]; then
  "$runner" "$probe" close "$handle" || fail "the close request was not sent"
  wait_until 10 gone "$dialog" || fail "the dialog did not close"
else
  fail "no settings dialog titled <Zorun>"
fi

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
