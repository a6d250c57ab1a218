#!/bin/sh
# zorun-xscreensaver-setup run by a user, then xscreensaver with no other edit, on an Xvfb of its own:
# for a user without ~/.xscreensaver (made from xscreensaver's defaults; `xscreensaver-command -select`
# of Zorun's place starts it) and on a file written by xscreensaver-settings 6.06 (one line added and
# nothing else; --select, while xscreensaver runs, then makes `-activate` start Zorun). Each run twice: the second changes nothing.
#
# xscreensaver starts no display mode as root, so as root (CI) the test runs it as a user of its own.
# Exit code 77 (skipped) without xscreensaver.
#
# xscreensaver_setup_e2e.sh SETUP HOST RENDERER WRITE_SETTINGS WORK_ROOT
set -u
setup=$1 host=$2 renderer=$3 write_settings=$4 work_root=$5
xvfb_pid="" daemon_pid=""
written_by_settings=$(dirname "$0")/written_by_xscreensaver_settings

. "$(dirname "$0")/../support/xscreensaver_env.sh"
make_user_work "$work_root" xscreensaver_setup

trap end_xscreensaver_run EXIT

start_private_xvfb 1024x768
make_app "$host" "$renderer" "$write_settings"
cp "$setup" "$app/zorun-xscreensaver-setup"
file=$home/.xscreensaver

# set_up WHAT [--select]: runs the command as the user, then once more, which must leave the file as it is.
set_up() {
  what=$1
  shift
  # shellcheck disable=SC2086
  as_user $session "$app/zorun-xscreensaver-setup" "$@" || { fail "$what: exit code $?"; return; }
  cp "$file" "$work/once"
  # shellcheck disable=SC2086
  as_user $session "$app/zorun-xscreensaver-setup" "$@" >/dev/null || fail "$what, again: exit code $?"
  cmp -s "$work/once" "$file" || fail "$what: the second run changed the file"
  [ "$(stat -c %U "$file")" = "$user" ] || fail "$what: the file does not belong to $user"
}

# run_by_xscreensaver WHAT ARGUMENT...: the command given to the running xscreensaver, and Zorun must run;
# then xscreensaver ends.
run_by_xscreensaver() {
  what=$1
  shift
  xscreensaver_command "$@"
  if wait_for_run >/dev/null; then
    echo "$what: xscreensaver $* runs Zorun"
    deactivate_all_gone
  else
    cat "$work/xscreensaver.log"
    fail "$what: xscreensaver $* started no Zorun"
  fi
  stop_xscreensaver
}

echo "== no ~/.xscreensaver"
set_up "no file"
[ -f "$file" ] || { fail "no file: ~/.xscreensaver was not made"; exit 1; }
# xscreensaver-command numbers the list from 1; Zorun's entry is the list's last.
place=$(sed -n '/^programs:/,/[^\\]$/p' "$file" | grep -c '\\n')
grep -q "zorun --root" "$file" || fail "no file: Zorun is not on the list made"
start_xscreensaver_as_set_up
run_by_xscreensaver "no file" -select "$place"

echo "== a file written by xscreensaver-settings"
cp "$written_by_settings" "$file"
chown "$user" "$file"
set_up "written by xscreensaver-settings"
diff "$written_by_settings" "$file" >"$work/added"
cat "$work/added"
if [ "$(grep -c '^>' "$work/added")" -ne 1 ] || grep -q '^<' "$work/added" ||
  ! grep -q '^>[[:space:]]*GL:[[:space:]]*zorun --root[[:space:]]*\\n\\$' "$work/added"; then
  fail "written by xscreensaver-settings: not exactly Zorun's line added"
fi

echo "== the same, --select, while xscreensaver runs (it reads the file again by itself)"
start_xscreensaver_as_set_up
# xscreensaver sees an edited file by its modification time in whole seconds: a write within the second
# of the one it read would go unnoticed.
next_second() { [ "$(date +%s)" -gt "$(stat -c %Y "$file")" ]; }
wait_until 3 next_second
set_up "--select" --select
diff "$written_by_settings" "$file" | grep '^[<>]'
run_by_xscreensaver "--select" -activate

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
