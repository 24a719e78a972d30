#!/usr/bin/env bash
# Start-up to the first painted scheme window, against a bare Qt Widgets
# window on the same machine in the same run: each program is started
# several times under one virtual display, and the medians and their ratio
# are printed. Usage: bash bench/startup.sh [runs]  (after a default build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
build=build/default
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() {  # prints the median wall time in milliseconds of "$@"
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" "$work/shot.png" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

inner() {
  velmar=$(measure "$build/ui/velmar" --screenshot)
  bare=$(measure "$build/bench/bare_window")
  echo "start-up to the first painted window, median of $runs runs:"
  echo "  velmar (scheme window, startup pair read and solved): ${velmar} ms"
  echo "  bare Qt Widgets window:                               ${bare} ms"
  awk -v v="$velmar" -v b="$bare" 'BEGIN { printf "  ratio: %.2f\n", v / b }'
}

if [ "${1:-}" = "--inner" ]; then shift; runs=${1:-9}; inner; exit; fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work}"
if [ -n "${DISPLAY:-}" ]; then inner; else
  xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" --inner "$runs"
fi
