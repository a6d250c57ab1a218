#!/bin/sh
# The .deb of the Linux build: made by CPack, its files and fields read back with dpkg-deb, checked by
# lintian as a distribution would (no error, no warning but those the package's overrides file gives a
# reason for), then (as root) installed with dpkg -i, found where xscreensaver looks, run, and removed
# without leaving a file.
#
# deb_package.sh BUILD_DIR           makes and checks the package of the built tree
# deb_package.sh --remove-leftover   removes the package when a run was killed before it could
set -u
# A run that installed the package leaves this mark until it has removed it again; a package installed
# without the mark is someone's real install, which the test leaves alone.
mark=/var/tmp/zorun-deb-package-test.installed

remove_ours() {
  [ -e "$mark" ] || return 0
  for _ in $(seq 30); do
    # Another dpkg or apt run holds the database lock for a while: try again.
    dpkg -r zorun >"${work:-/tmp}/remove.log" 2>&1 && { rm -f "$mark"; return 0; }
    grep -q -i lock "${work:-/tmp}/remove.log" || break
    sleep 2
  done
  cat "${work:-/tmp}/remove.log"
  return 1
}

if [ "${1:-}" = --remove-leftover ]; then
  remove_ours
  exit
fi

build=$1
work=$(mktemp -d)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cleanup() {
  remove_ours || echo "FAIL: the package could not be removed"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

echo "== the package"
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack did not make the package"
  exit 1
fi
deb=$(ls "$work"/out/zorun_*_"$(dpkg --print-architecture)".deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { fail "no zorun_*.deb in $(ls "$work/out")"; exit 1; }
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

hacks=usr/libexec/xscreensaver
# Every file and link of the package, and nothing else (no tests, tools or libraries of the build).
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 ($7 == "->" ? " -> " $8 : "") }' | sort >"$work/contents"
sort >"$work/expected" <<LIST
-rw-r--r-- ./usr/share/applications/screensavers/zorun.desktop
-rw-r--r-- ./usr/share/applications/zorun-settings.desktop
-rw-r--r-- ./usr/share/doc/zorun/README
-rw-r--r-- ./usr/share/doc/zorun/changelog.gz
-rw-r--r-- ./usr/share/doc/zorun/copyright
-rw-r--r-- ./usr/share/man/man1/zorun-xscreensaver-setup.1.gz
-rw-r--r-- ./usr/share/man/man6/zorun.6.gz
-rw-r--r-- ./usr/share/xscreensaver/config/zorun.xml
-rwxr-xr-x ./usr/bin/zorun-xscreensaver-setup
-rwxr-xr-x ./$hacks/Zorun.dll
-rwxr-xr-x ./$hacks/Zorun.scr
lrwxrwxrwx ./$hacks/zorun -> Zorun.scr
LIST
diff "$work/expected" "$work/contents" || fail "the package's files differ from the list above"

fields=$(dpkg-deb -f "$deb" Package Section Depends Recommends)
echo "$fields"
echo "$fields" | grep -q '^Section: x11$' || fail "section is not x11"
echo "$fields" | grep -q '^Recommends: xscreensaver' || fail "xscreensaver is not recommended"
depends=$(echo "$fields" | sed -n 's/^Depends: //p' | tr ',' '\n' | sed 's/^ *//; s/ .*//')
# The font of the Japanese labels, the music's GStreamer elements, and (from dpkg-shlibdeps) the
# libraries the two programs link.
for package in fonts-ipafont-gothic gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly \
  libc6 libx11-6 libgtk-3-0 libgstreamer1.0-0 libcdio19 libglu1-mesa; do
  echo "$depends" | grep -q -x "$package" || fail "Depends lacks $package"
done

dpkg-deb -x "$deb" "$work/root"

echo "== lintian"
if command -v lintian >/dev/null 2>&1; then
  # Informational tags (I:) are shown but do not fail; an override counts only with a comment above it.
  lintian --display-info --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges' | tee "$work/lintian"
  grep -q '^[EW]: ' "$work/lintian" && fail "lintian reports errors or warnings"
  overrides=$work/root/usr/share/lintian/overrides/zorun
  if [ -f "$overrides" ]; then
    awk '!/^#/ && NF && prev !~ /^#/ { print "FAIL: an override without a reason above it: " $0 } { prev = $0 }' \
      "$overrides" | tee "$work/unexplained"
    [ -s "$work/unexplained" ] && failures=$((failures + 1))
  fi
else
  fail "no lintian (scripts/debian-packages.txt lists it)"
fi
for entry in usr/share/applications/screensavers/zorun.desktop usr/share/applications/zorun-settings.desktop; do
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$work/root/$entry")
  [ -x "$work/root$program" ] || fail "$entry starts $program, which the package does not hold"
done

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP install and removal: dpkg -i needs root"
  [ "$failures" -eq 0 ]
  exit
fi
if dpkg-query -W -f '${Status}' zorun 2>/dev/null | grep -q installed && [ ! -e "$mark" ]; then
  echo "SKIP install and removal: zorun is installed on this machine, and the test does not replace it"
  [ "$failures" -eq 0 ]
  exit
fi

echo "== dpkg -i"
# Two test runs at once would install and remove under each other.
exec 9>/var/lock/zorun-deb-package-test.lock
flock -w 240 9 || { fail "another run holds the package test's lock"; exit 1; }
touch "$mark"
installed=
for _ in $(seq 30); do
  dpkg -i "$deb" >"$work/install.log" 2>&1 && { installed=1; break; }
  grep -q -i lock "$work/install.log" || break
  sleep 2
done
[ -n "$installed" ] || { cat "$work/install.log"; fail "dpkg -i failed"; exit 1; }

for file in Zorun.scr Zorun.dll zorun; do
  [ -x "/$hacks/$file" ] || fail "/$hacks/$file is not an installed program"
done
# The installed command finds its libraries (its work on real files has a test of its own).
/usr/bin/zorun-xscreensaver-setup --help >/dev/null 2>&1 || fail "the installed zorun-xscreensaver-setup did not run"
# xscreensaver-settings reads the description of a display mode from the folder of its own ones.
if own=$(dpkg -L xscreensaver-data 2>/dev/null | grep '/config/[^/]*\.xml$' | head -n 1) && [ -n "$own" ]; then
  [ -f "$(dirname "$own")/zorun.xml" ] || fail "zorun.xml is not in $(dirname "$own"), beside xscreensaver's own"
else
  echo "(xscreensaver-data is not installed: its configuration folder is not compared)"
fi
# The installed programs find their libraries: the host ends at once on a command line it does not know.
if [ -n "${DISPLAY:-}" ]; then
  timeout 20 "/$hacks/zorun" /x || fail "the installed host did not run (exit code $?)"
fi

echo "== dpkg -r"
remove_ours || fail "dpkg -r failed"
sed 's/^[^ ]* \.\([^ ]*\).*/\1/' "$work/contents" | while read -r path; do
  if [ -e "$path" ] || [ -L "$path" ]; then echo "FAIL: $path is left after dpkg -r"; fi
done | tee "$work/left"
[ -s "$work/left" ] && failures=$((failures + 1))
[ -e /usr/share/doc/zorun ] && fail "/usr/share/doc/zorun is left after dpkg -r"

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
