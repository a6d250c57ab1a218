#!/bin/sh
# The Windows installer under Wine, on an Xvfb screen and a Wine prefix of its own: `setup /S` puts both
# programs into the 64-bit system folder, chooses Zorun for the user (SCRNSAVE.EXE) and lists an
# uninstaller; the chosen program run with /s shows the renderer; the listed uninstaller run silently
# removes both programs, the entry and the choice, but leaves a screen saver chosen since then alone.
#
# installer_wine_e2e.sh SETUP STAGE WINE
#   SETUP  the installer; STAGE  the folder of the programs it was made from
set -u
setup=$1 stage=$2 runner=$3

# shellcheck source=../support/e2e_env.sh
. "$(dirname "$0")/../support/e2e_env.sh"
start_private_session 1024x768

[ -f "$setup" ] || { fail "no installer at $setup (target installer)"; exit 1; }
system=$WINEPREFIX/drive_c/windows/system32
desktop='HKCU\Control Panel\Desktop'
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorun'

# registry_value KEY NAME: the value as `reg query` prints it, nothing when there is none.
registry_value() {
  "$runner" reg query "$1" /v "$2" 2>"$work/reg.err" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

install() {
  "$runner" "$setup" /S >"$work/setup.log" 2>&1 || { cat "$work/setup.log"; fail "setup /S failed"; }
}

uninstalled() {
  ! [ -e "$system/Zorun.scr" ] && ! [ -e "$system/Zorun.dll" ] && [ -z "$(registry_value "$entry" DisplayName)" ]
}
# uninstall: what Programs and Features runs, silently. The uninstaller runs on from a copy of itself in
# the temporary folder and its first process ends at once, so the end is awaited by its work.
uninstall() {
  command=$(registry_value "$entry" QuietUninstallString)
  [ -n "$command" ] || { cat "$work/reg.err"; fail "no QuietUninstallString in Programs and Features"; return; }
  program=${command%\" /S}
  "$runner" "${program#\"}" /S >"$work/uninstall.log" 2>&1 || fail "the uninstaller failed"
  wait_until 30 uninstalled && return 0
  fail "the uninstaller left $(cd "$system" && echo Zorun.*) or its entry"
}

echo "== setup /S"
install
for program in Zorun.scr Zorun.dll; do
  cmp -s "$stage/$program" "$system/$program" || fail "$program is not in the 64-bit system folder"
done
chosen=$(registry_value "$desktop" SCRNSAVE.EXE)
echo "SCRNSAVE.EXE: $chosen"
[ "$(echo "$chosen" | tr '[:upper:]' '[:lower:]')" = 'c:\windows\system32\zorun.scr' ] || fail "Zorun is not the chosen screen saver"
[ -n "$(registry_value "$entry" DisplayName)" ] || fail "no entry in Programs and Features"

echo "== the chosen screen saver with /s"
saver_run_ends_on_escape "$chosen"

echo "== uninstall /S"
uninstall
[ -z "$(registry_value "$desktop" SCRNSAVE.EXE)" ] || fail "the uninstaller left Zorun chosen"

echo "== uninstall /S after another screen saver was chosen"
install
other='C:\windows\system32\Other.scr'
"$runner" reg add "$desktop" /v SCRNSAVE.EXE /d "$other" /f >/dev/null 2>&1
uninstall
[ "$(registry_value "$desktop" SCRNSAVE.EXE)" = "$other" ] || fail "the uninstaller cleared another screen saver"

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
