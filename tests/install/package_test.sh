#!/usr/bin/env bash
# The Debian package: built with cpack from the build folder, then read back
# with dpkg-deb. It must declare its dependencies and hold the programs,
# their data, the desktop entry and the icons; the program unpacked from it
# must find its data beside itself as installed, with nothing else done.
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "package_test: skipped: $tool is not installed (apt-get install cmake dpkg-dev)"
    exit 77
  fi
done
source "$(dirname "$0")/common.sh"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$tmp/cpack.log")"
debs=("$tmp"/out/velmar_*_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "no single velmar package: $(ls "$tmp/out")"
deb=${debs[0]}

dpkg-deb --info "$deb" >"$tmp/info"
for field in '^ Package: velmar$' '^ Section: science$' '^ Maintainer: .+<.+@.+>$' \
    '^ Description: .+' '^ Depends: .*fonts-liberation2' '^ Depends: .*libqt6widgets6' \
    '^ Depends: .*libstdc\+\+6'; do
  grep -qE "$field" "$tmp/info" || fail "the package's control lacks $field: $(cat "$tmp/info")"
done

dpkg-deb --contents "$deb" | awk '{print $6}' >"$tmp/contents"
for file in usr/bin/velmar usr/bin/velmar-cli usr/share/velmar/PORTI.TXT \
    usr/share/velmar/MONDOGW.MAP usr/share/velmar/MONDOAG.MAP \
    usr/share/applications/velmar.desktop usr/share/icons/hicolor/48x48/apps/velmar.png \
    usr/share/icons/hicolor/256x256/apps/velmar.png; do
  grep -qxF "./$file" "$tmp/contents" || fail "the package lacks /$file"
done

dpkg-deb -x "$deb" "$tmp/root"
run_check "$tmp/root/usr/bin/velmar" "$tmp/home"
check_found "$tmp/root/usr" "$tmp/home"
echo "package_test: $(basename "$deb") built and checked"
