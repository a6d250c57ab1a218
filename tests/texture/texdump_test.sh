#!/bin/sh
# texdump end to end: a bitmap the loader accepts becomes a PAM file; one it refuses leaves no file.
# Usage: texdump_test.sh TEXDUMP MAKE_BITMAP_SEEDS
set -eu
texdump=$1
seeds=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$seeds" "$work/seeds" >/dev/null
"$texdump" "$work/seeds/plain-24-3.bmp" "$work/out.pam"
head -c 200 "$work/out.pam" | grep -q 'TUPLTYPE RGB_ALPHA' || { echo "no PAM header"; exit 1; }
head -n 3 "$work/out.pam" | grep -qx 'WIDTH 3' || { echo "wrong width"; exit 1; }
# header (65 bytes) plus 3 x 3 pixels of 4 bytes
size=$(wc -c < "$work/out.pam")
[ "$size" -eq $((65 + 36)) ] || { echo "PAM of $size bytes"; exit 1; }

printf 'BM this is no bitmap' > "$work/bad.bmp"
code=0
"$texdump" "$work/bad.bmp" "$work/bad.pam" 2>/dev/null || code=$?
[ "$code" -eq 1 ] || { echo "exit code $code for a refused bitmap"; exit 1; }
[ ! -e "$work/bad.pam" ] || { echo "wrote a file for a refused bitmap"; exit 1; }
echo "texdump: ok"
