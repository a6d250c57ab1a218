#!/bin/sh
# End-to-end run of the settings dialog (Zorun.scr /c) on an Xvfb screen of its own, driven with xdotool
# as a person would: placement and painting, "設定" and "ｷｬﾝｾﾙ" checked on the settings file's bytes, a
# track typed into the track box and read back from the screen, a file chosen through the real chooser,
# the single-instance guard, the link handed to the browser, "設定" on a read-only settings file, and
# the mouse and keyboard gestures that must store nothing or store on a key.
#
# dialog_e2e.sh HOST PROBE WRITER [RUNNER]
#   HOST    Zorun.scr; it is copied into a folder of its own, where it keeps Zorun.ini
#   PROBE   dialog_probe: checks the painted rows and the buttons on the screen
#   WRITER  write_settings: the settings file's own writer, for the bytes the dialog must leave
#   RUNNER  empty for native programs, the path of wine for the Windows build
# FACE_PROBE in the environment: face_probe (tests/button), which reads a button's face off the screen.
set -u
host=$1 probe=$2 writer=$3 runner=${4:-}
dialog_pid=

# shellcheck source=../support/e2e_env.sh
. "$(dirname "$0")/../support/e2e_env.sh"
start_private_session 1024x768
app=$work/app
mkdir -p "$app"
cp "$host" "$app/Zorun.scr"
# In the program's folder, where the chooser opens first (the folder of the settings file without a file).
song=$app/Song.WAV
make_silent_wav "$song"

# The browser: a script that records the address it is given.
cat >"$work/record.sh" <<EOS
#!/bin/sh
echo "\$1" >"$work/opened.txt"
EOS
chmod +x "$work/record.sh"

if [ -n "$runner" ]; then
  # HACK: Wine's ANSI code page follows the locale; a Japanese one of our own gives code page 932.
  mkdir -p "$work/locale"
  localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" >/dev/null 2>&1
  if [ -f "$work/locale/ja_JP.UTF-8/LC_CTYPE" ]; then
    export LOCPATH=$work/locale LANG=ja_JP.UTF-8
  fi
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$work/record.sh" /f >/dev/null 2>&1
  wine_path() { echo "Z:$1" | tr / '\\'; }
else
  mkdir -p "$work/config" "$work/data/applications"
  printf '[Default Applications]\nx-scheme-handler/https=zorun-record.desktop\nx-scheme-handler/http=zorun-record.desktop\n' \
    >"$work/config/mimeapps.list"
  printf '[Desktop Entry]\nType=Application\nName=Record\nExec=%s %%u\n' "$work/record.sh" \
    >"$work/data/applications/zorun-record.desktop"
  export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
  # The caret blinks: hidden, so that two reads of the track box differ only by what was typed.
  mkdir -p "$work/config/gtk-3.0"
  echo 'entry { caret-color: transparent; }' >"$work/config/gtk-3.0/gtk.css"
  wine_path() { echo "$1"; }
fi
run() { ${runner:+"$runner"} "$@"; }
# The dialog's own start: as a user of the test's own for the read-only settings file on Linux.
launch=run

# The dialog's client area on the screen, and a click at (X, Y) of it.
origin_x= origin_y=
open_dialog() {
  xdotool mousemove 700 500
  $launch "$app/Zorun.scr" /c >"$work/dialog.out" 2>&1 &
  dialog_pid=$! pids="$pids $!"
  window=$(wait_for_window '^<Zorun>$') || { fail "no window titled <Zorun>"; return 1; }
  # Painted where it stands (Wine may still move it under a caption of its own), it takes the mouse.
  wait_until 30 painted || { fail "the dialog is not painted: $painting"; return 1; }
}
painted() {
  geometry=$(xdotool getwindowgeometry "$window")
  origin_x=$(echo "$geometry" | sed -n 's/.*Position: \([0-9-]*\),.*/\1/p')
  origin_y=$(echo "$geometry" | sed -n 's/.*Position: [0-9-]*,\([0-9-]*\).*/\1/p')
  size=$(echo "$geometry" | sed -n 's/.*Geometry: //p')
  painting=$(run "$probe" "$origin_x" "$origin_y" 2>&1 | tr -d '\r')
  echo "$painting" | grep -q 'dialog: ok'
}
click() { xdotool mousemove $((origin_x + $1)) $((origin_y + $2)) click 1; }
# The process must end within a few seconds after a close.
closed() { wait_until 20 gone "$dialog_pid" && dialog_pid=; }
# The settings file as the settings file's own writer leaves it after storing KIND TRACK PATH.
expect_file() {
  cp "$work/before.ini" "$work/expected.ini"
  run "$writer" "$(wine_path "$work/expected.ini")" "$1" "$2" "$3"
  cmp -s "$work/expected.ini" "$app/Zorun.ini" || {
    fail "$4: the settings file differs from the writer's"
    od -c "$app/Zorun.ini" | head -20
    od -c "$work/expected.ini" | head -20
  }
}

# Panel-relative places are offset by the panel's corner (12, 16).
# The track box is clicked 15 pixels into its 41: on both targets that is its text, left of the arrow.
CD_X=68 CD_Y=78 NONE_X=66 NONE_Y=98 FILE_OPTION_X=70 FILE_OPTION_Y=118 COMBO_X=139 COMBO_Y=78 FILE_BUTTON_X=66 FILE_BUTTON_Y=144
SET_X=362 SET_Y=208 CANCEL_X=442 CANCEL_Y=208 LINK_X=40 LINK_Y=214
BACKGROUND_X=290 BACKGROUND_Y=230

run "$writer" "$(wine_path "$app/Zorun.ini")" 0 0 ""
cp "$app/Zorun.ini" "$work/before.ini"

echo "== placement, painting, the guard"
open_dialog || exit 1
echo "client area at $origin_x,$origin_y, $size"
[ "$size" = "496x243" ] || fail "client area $size, wanted 496x243"
# Centred across, a third down; without a window manager the frame is the client area, but Wine draws
# its own caption above it.
[ "$origin_x" -eq $(((1024 - 496) / 2)) ] || fail "client area starts at x $origin_x"
[ -n "$runner" ] || [ "$origin_y" -eq $(((768 - 243) / 3)) ] || fail "client area starts at y $origin_y"
echo "$painting" | tail -n 5
for mode in /c /s; do
  if ! timeout 20 ${runner:+"$runner"} "$app/Zorun.scr" "$mode" >/dev/null 2>&1; then
    fail "a second start with $mode did not end at once"
  fi
done
[ "$(xdotool search --name '^<Zorun>$' | wc -l)" -eq 1 ] || fail "a second dialog opened"

echo "== 音楽CD, a track typed into the track box and shown whole, 設定"
click $CD_X $CD_Y
click $COMBO_X $COMBO_Y
xdotool key ctrl+a
xdotool type 1
# GTK's field is the one in question; Windows' is the system's own, and its caret cannot be hidden.
if [ -z "$runner" ]; then
  wait_until 20 run "$probe" track-save "$origin_x" "$origin_y" "$work/one.track" >/dev/null ||
    fail "no digit in the track box"
fi
xdotool type 2
if [ -z "$runner" ]; then
  wait_until 20 run "$probe" track-grew "$origin_x" "$origin_y" "$work/one.track" >"$work/two.track"
  tail -n 1 "$work/two.track"
  grep -q 'track: ok' "$work/two.track" || { fail "the track box does not show 12"; cat "$work/two.track"; }
fi
click $SET_X $SET_Y
closed || fail "the dialog did not close after 設定"
expect_file 1 12 "" "設定"

echo "== a changed option and the link, then ｷｬﾝｾﾙ"
cp "$app/Zorun.ini" "$work/before.ini"
open_dialog || exit 1
click $FILE_OPTION_X $FILE_OPTION_Y
click $LINK_X $LINK_Y
wait_until 20 test -s "$work/opened.txt"
echo "browser was given: $(cat "$work/opened.txt" 2>/dev/null)"
grep -q '^https://' "$work/opened.txt" 2>/dev/null || fail "the link did not reach the browser"
click $CANCEL_X $CANCEL_Y
closed || fail "the dialog did not close after ｷｬﾝｾﾙ"
cmp -s "$work/before.ini" "$app/Zorun.ini" || fail "ｷｬﾝｾﾙ changed the settings file"

echo "== the mouse and the keyboard: what stores nothing, what stores"
# The face of "設定" (S), "ｷｬﾝｾﾙ" (C) or "..." (F) on the screen, as face_probe names it, once the hover
# tick and the repaint have shown it.
face_of() {
  wait_until 20 face_shown "$1" "$2" "${4:-down}" || fail "$3: the face of $1 is not $2: $result"
}
face_shown() {
  case $1 in S) bx=324 by=196 bw=77 ;; C) bx=404 by=196 bw=77 ;; F) bx=52 by=132 bw=29 ;; esac
  result=$(run "$FACE_PROBE" $((origin_x + bx)) $((origin_y + by)) "$bw" 25 "$2" "$3" 2>&1 | tr -d '\r')
  echo "$result" | grep -q ': ok$'
}
to() { xdotool mousemove $((origin_x + $1)) $((origin_y + $2)); }
# The pauses inside a gesture are the gesture as a person's hand makes it, not waits for a result.
side_buttons() { to $SET_X $SET_Y && xdotool sleep 0.3 click 8 sleep 0.2 click 9; }
press_off_release_on_set() {
  to $BACKGROUND_X $BACKGROUND_Y && xdotool sleep 0.2 mousedown 1 sleep 0.2
  to $SET_X $SET_Y && xdotool sleep 0.4 mouseup 1
}
# Released once the hover tick has seen the pointer leave 設定: no click, as for the left button.
right_press_dragged_off_set() {
  to $SET_X $SET_Y && xdotool sleep 0.3 mousedown 3 sleep 0.2
  to $BACKGROUND_X $BACKGROUND_Y
  face_of S normal "the right button held off 設定"
  xdotool mouseup 3
}
# Keys go to the window under the pointer when no window manager gives the focus.
keys() { to $BACKGROUND_X $BACKGROUND_Y && xdotool key "$@"; }
cp "$app/Zorun.ini" "$work/before.ini"
open_dialog || exit 1
click $NONE_X $NONE_Y  # "なし": a store now would change the file; the combo box and "..." take no focus
face_of F disable "なし chosen"
# gesture | then the dialog is open and the file kept, or it has stored and closed | the face of "設定" |
# the face of "ｷｬﾝｾﾙ" (- unchecked)
while read -r gesture after set_face cancel_face; do
  case $gesture in keys_*) keys "${gesture#keys_}" ;; *) $gesture ;; esac
  [ "$set_face" = - ] || face_of S "$set_face" "$gesture"
  [ "$cancel_face" = - ] || face_of C "$cancel_face" "$gesture"
  case $after in
  # Not a wait for something to happen: a moment in which a gesture that stores would close the dialog.
  kept) sleep 0.5
    kill -0 "$dialog_pid" 2>/dev/null || fail "$gesture closed the dialog"
    cmp -s "$work/before.ini" "$app/Zorun.ini" || fail "$gesture changed the settings file" ;;
  stored) closed || fail "$gesture: the dialog did not close" ;;
  esac
done <<EOT
side_buttons kept - -
press_off_release_on_set kept - -
right_press_dragged_off_set kept - -
keys_shift+Tab kept normal selected
keys_Tab kept selected normal
keys_Tab kept normal selected
keys_Tab kept selected normal
keys_shift+Tab kept normal selected
keys_shift+Tab kept selected normal
keys_Return kept selected -
keys_space stored - -
EOT
expect_file 0 12 "" "Space on 設定"

echo "== Tab through the track box to 設定, then Escape: nothing stored"
cp "$app/Zorun.ini" "$work/before.ini"
open_dialog || exit 1
click $CD_X $CD_Y
keys Tab
face_of S normal "Tab to the track box"
keys Tab
face_of S selected "Tab from the track box"
keys Escape
closed || fail "the dialog did not close on Escape"
cmp -s "$work/before.ini" "$app/Zorun.ini" || fail "Escape changed the settings file"

echo "== a file chosen through the chooser, by its name in the folder it opens in"
open_dialog || exit 1
click $FILE_OPTION_X $FILE_OPTION_Y
click $FILE_BUTTON_X $FILE_BUTTON_Y
chooser=$(wait_for_window '^ﾌｧｲﾙを開く$' 30) || fail "no file chooser titled ﾌｧｲﾙを開く"
# Without a window manager the keys go to the window under the pointer: put it over the chooser, once
# it is on the screen to take the focus.
chooser_focused() {
  xdotool mousemove --window "$chooser" 20 20 windowfocus "$chooser" 2>/dev/null &&
    [ "$(xdotool getwindowfocus)" = "$chooser" ]
}
wait_until 30 chooser_focused || fail "the chooser did not take the focus"
# GTK's chooser takes a typed path in its location field (Ctrl+L); Wine's has its name field focused.
[ -n "$runner" ] || xdotool key ctrl+l
xdotool type --delay 50 "$(basename "$song")"
xdotool key Return
wait_until 30 gone_window '^ﾌｧｲﾙを開く$' || fail "the chooser stayed after Return"
click $SET_X $SET_Y
closed || fail "the dialog did not close after choosing a file and 設定"
expect_file 2 12 "$(wine_path "$song")" "the chosen file"

echo "== 設定 on a read-only Zorun.ini: the bytes stay, the dialog stays open, a message names the file"
# Under Wine, a file without write permission has the read-only attribute. Root writes such a file on
# Linux, so there the dialog runs as a user of the test's own, who owns the program's folder.
chmod 444 "$app/Zorun.ini"
cp "$app/Zorun.ini" "$work/before.ini"
if [ -z "$runner" ] && [ "$(id -u)" -eq 0 ]; then
  tester=zorun-e2e
  make_test_user "$tester" || fail "cannot make the user $tester"
  chmod 755 "$work"
  chown "$tester" "$app"
  launch="runuser -u $tester -- env HOME=$work"
fi
ini_path=$(wine_path "$app/Zorun.ini")
open_dialog || exit 1
click $NONE_X $NONE_Y  # a choice whose store would change the bytes
click $SET_X $SET_Y
# The message box's text as the system holds it, read as a screen reader does; GTK's as a person copies
# it: Tab reaches each label, which then selects its text.
message_named() {
  if [ -n "$runner" ]; then
    run "$(dirname "$probe")/message_text.exe" Zorun | tr -d '\r' >"$work/message.txt"
  else
    xdotool mousemove --window "$message" 5 5 windowfocus "$message" key Tab 2>/dev/null
    xclip -o -selection primary >"$work/message.txt" 2>/dev/null
  fi
  grep -qF "$ini_path" "$work/message.txt"
}
if message=$(wait_for_window '^Zorun$' 30); then
  wait_until 20 message_named || { fail "the message does not name the settings file"; cat "$work/message.txt"; }
  xdotool mousemove --window "$message" 5 5 windowfocus "$message" key Escape 2>/dev/null
  wait_until 20 gone_window '^Zorun$' || fail "the message stayed after Escape"
else
  fail "no message box after a store into a read-only file"
fi
# Not a wait for something to happen: a moment in which a dialog that closes after the message would go.
sleep 0.5
kill -0 "$dialog_pid" 2>/dev/null && [ -n "$(xdotool search --name '^<Zorun>$')" ] ||
  fail "the dialog closed after a store that failed"
cmp -s "$work/before.ini" "$app/Zorun.ini" || fail "the read-only settings file changed"
click $CANCEL_X $CANCEL_Y
closed || fail "the dialog did not close after ｷｬﾝｾﾙ"
launch=run

# A saver run plays it. The host starts a stand-in renderer (a script that becomes a window titled as
# the renderer's), so the run lasts while it runs; Wine's window lookup sees only Wine's own windows, so
# this part runs on Linux.
if [ -z "$runner" ]; then
  echo "== /s plays the chosen file"
  printf '#!/bin/sh\necho $$ >"%s"\nexec xmessage -title Zorun_VC -geometry +0+0 stand-in\n' \
    "$work/stand_in.pid" >"$app/Zorun.dll"
  chmod +x "$app/Zorun.dll"
  XDG_CACHE_HOME=$work/cache ZORUN_AUDIO_SINK=fakesink "$app/Zorun.scr" /s >"$work/saver.out" 2>&1 &
  dialog_pid=$! pids="$pids $!"
  stand_in_shown() { xdotool search --onlyvisible --name '^Zorun_VC$' >/dev/null 2>&1; }
  wait_until 30 stand_in_shown || fail "the stand-in renderer's window did not show"
  stand_in=$(cat "$work/stand_in.pid" 2>/dev/null) pids="$pids $stand_in"
  playing() { ls -l "/proc/$dialog_pid/fd" 2>/dev/null | grep -q "$song"; }
  # A fresh cache makes GStreamer take its time to start on a loaded machine.
  wait_until 60 playing || fail "the saver run did not open the chosen file"
  kill "$stand_in"
  closed || fail "the saver did not end after its renderer ended"
fi

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
