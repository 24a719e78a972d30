#!/usr/bin/env bash
# Installs what is missing, builds Velmar and starts it on its bundled data.
# The first start writes the sample passage (Genova to New York at 12 knots)
# as the startup scheme; later starts keep the navigator's own. Without a
# display it takes a screenshot of the scheme window under Xvfb instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target velmar velmar-cli
bin=build/default/ui

if [ ! -f "$bin/VELMAR.DAT" ] && [ ! -f "$bin/PUNTI.DAT" ]; then
  build/default/cli/velmar-cli solve dep.lat=44N24 dep.lon=8E56 dep.tf=08:00 \
    "dep.tf.date=$(date +%d-%m-%Y)" arr.lat=40N42 arr.lon=74W00 vp=12 \
    --save AVVIO --dir "$bin" >/dev/null
  echo "run: first start: the sample passage Genova - New York at 12 knots is the startup scheme"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$PWD/build/velmar-scheme.png"
  echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): Velmar runs under Xvfb for a screenshot"
  XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}" \
    xvfb-run -a -s "-screen 0 1280x800x24" "$bin/velmar" --screenshot "$shot"
  exit 0
fi
exec "$bin/velmar"
