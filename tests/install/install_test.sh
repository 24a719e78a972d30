#!/usr/bin/env bash
# The install as a user meets it: `cmake --install` into a scratch prefix,
# then the installed programs run headless with a home of their own. The
# desktop program must read its bundled data from <prefix>/share/velmar,
# write its settings into the user's data folder and leave the install as it
# was installed (the prefix here is writable, as /usr is for root); the
# command-line tool must find the world map of the install.
set -euo pipefail
build=$1
source "$(dirname "$0")/common.sh"
prefix=$tmp/prefix home=$tmp/home

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/velmar bin/velmar-cli share/velmar/PORTI.TXT share/velmar/MONDOGW.MAP \
    share/velmar/MONDOAG.MAP share/applications/velmar.desktop; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/velmar.png
  [ -f "$icon" ] || fail "no ${size} pixel icon"
  # The PNG header's width and height, big-endian at bytes 16 and 20.
  read -r w h < <(od -An -tu1 -j16 -N8 "$icon" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w x $h" = "$size x $size" ] || fail "the ${size} pixel icon is $w x $h"
done
desktop=$prefix/share/applications/velmar.desktop
for line in '[Desktop Entry]' 'Type=Application' 'Exec=velmar' 'Icon=velmar'; do
  grep -qxF "$line" "$desktop" || fail "velmar.desktop lacks $line"
done
grep -qE '^Categories=(.*;)?Education;' "$desktop" || fail "velmar.desktop is not in Education"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi

find "$prefix" -printf '%P %s %T@\n' | sort >"$tmp/installed"
run_check "$prefix/bin/velmar" "$home"
check_found "$prefix" "$home"
find "$prefix" -printf '%P %s %T@\n' | sort | diff "$tmp/installed" - ||
  fail "the program wrote into its install"

# The command-line tool draws the coastline from the install's data.
"$prefix/bin/velmar-cli" chart --png "$tmp/chart.png" --size 320x200 --map \
  dep.lat=44N24 dep.lon=8E56 arr.lat=40N42 arr.lon=74W00 >"$tmp/cli.out" 2>&1 ||
  fail "velmar-cli chart --map did not find the map: $(cat "$tmp/cli.out")"
echo "install_test: installed and checked in $prefix"
