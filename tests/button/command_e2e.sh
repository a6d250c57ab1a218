#!/bin/sh
# End-to-end run of the Command button demo on an Xvfb screen of its own, driven with xdotool as a person
# would: each face checked on the screen, one Click per click inside, none for a press dragged off or for
# the disabled button.
#
# command_e2e.sh DEMO PROBE [RUNNER]
#   DEMO    command_demo: prints "button N X Y W H" and "ready", then "click N" for each Click
#   PROBE   face_probe: checks a face on the screen (ring colours and gradient direction)
#   RUNNER  empty for native programs, the path of wine for the Windows build
set -u
demo=$1 probe=$2 runner=${3:-}

# shellcheck source=../support/e2e_env.sh
. "$(dirname "$0")/../support/e2e_env.sh"
start_private_session 640x480

${runner:+"$runner"} "$demo" >"$work/demo.out" 2>"$work/demo.err" &
pids="$pids $!"
wait_until 60 grep -q ready "$work/demo.out" 2>/dev/null || { fail "the demo did not start: $(cat "$work/demo.err")"; exit 1; }
out() { tr -d '\r' <"$work/demo.out"; }
rect() { out | sed -n "s/^button $1 //p"; }
# The centre of button $1, and a point of the window between buttons 1 and 2.
centre() { rect "$1" | { read -r x y w h; echo $((x + w / 2)) $((y + h / 2)); }; }
between() { rect 1 | { read -r x y w h; echo $((x + w + 8)) $((y + h / 2)); }; }
clicks() { out | grep -c "^click $1\$"; }

# face NAME BUTTON PICTURE DIRECTION: the face of a button as the probe sees it on the screen, once the
# hover tick and the repaint have shown it.
face() {
  wait_until 20 face_shown "$2" "$3" "$4"
  echo "$1: $result"
  echo "$result" | grep -q ': ok$' || fail "$1 face"
}
face_shown() {
  # shellcheck disable=SC2046
  result=$(${runner:+"$runner"} "$probe" $(rect "$1") "$2" "$3" 2>&1 | tr -d '\r')
  echo "$result" | grep -q ': ok$'
}
clicks_are() { [ "$(clicks "$1")" -eq "$2" ]; }

xdotool mousemove 5 5
face "normal" 1 normal down
face "disabled" 3 disable down
# shellcheck disable=SC2046
xdotool mousemove $(centre 1)  # onto the caption, which counts as the button
face "hover" 1 highlight up
xdotool mousedown 1
face "pressed (focus came while hovered)" 1 pressed up
xdotool mouseup 1
face "released inside" 1 highlight_select up
wait_until 10 clicks_are 1 1 || fail "one click inside gave $(clicks 1) Clicks"
# shellcheck disable=SC2046
xdotool mousemove $(between)
face "focused" 1 selected down
# shellcheck disable=SC2046
xdotool mousemove $(centre 1)
face "focused and hovered (focus came first)" 1 highlight_select down

echo "== a press dragged off button 2, released once the hover tick has seen it leave"
# shellcheck disable=SC2046
xdotool mousemove $(centre 2)
face "button 2 hovered" 2 highlight up
xdotool mousedown 1
face "button 2 pressed" 2 pressed up
# shellcheck disable=SC2046
xdotool mousemove $(between)
face "button 2 pressed, the pointer gone" 2 selected down
xdotool mouseup 1
face "button 2 after the drag" 2 selected down
face "button 1 lost its focus" 1 normal down

echo "== the disabled button"
# shellcheck disable=SC2046
xdotool mousemove $(centre 3) click 1
face "disabled after a click" 3 disable down

echo "== a right click on a hovered button"
# shellcheck disable=SC2046
xdotool mousemove $(centre 1)
face "button 1 hovered" 1 highlight up
xdotool click 3
wait_until 10 clicks_are 1 2 || fail "a right click raised $(($(clicks 1) - 1)) Clicks"
# Each event above was handled before this last Click was printed: no Click of theirs can come later.
[ "$(clicks 2)" -eq 0 ] || fail "a press dragged off raised $(clicks 2) Clicks"
[ "$(clicks 3)" -eq 0 ] || fail "the disabled button raised $(clicks 3) Clicks"

echo "demo printed:"
out
[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
