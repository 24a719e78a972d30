#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each briefly:
# first over its seed corpus in fuzz/corpus/<target>/, then a few seconds of
# fuzzing from it. Exits non-zero on the first finding (the input is kept in
# build/fuzz/findings/). FUZZ_SECONDS sets the seconds per target (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-5}"
build=build/fuzz

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DVELMAR_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMAR_BUILD_BENCH=OFF -DVELMAR_BUILD_TESTS=OFF
fi
cmake --build "$build" -j2 --target velmar_fuzzers

# malloc_context_size=0 makes every allocation much cheaper; a finding is
# reproduced with the full stack by running the target on the kept input.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0}"
mkdir -p "$build/findings"
status=0
for corpus in fuzz/corpus/*/; do
  target=$(basename "$corpus")
  binary="$build/fuzz/$target"
  work=$(mktemp -d)
  echo "== $target"
  # The seeds alone, then fuzzing from them into a scratch corpus.
  if ! "$binary" -runs=0 "$corpus" > "$work/log" 2>&1 ||
     ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
         -artifact_prefix="$build/findings/$target-" "$work" "$corpus" >> "$work/log" 2>&1; then
    tail -40 "$work/log"
    echo "fuzz-smoke: $target found a fault; input in $build/findings/" >&2
    status=1
  else
    grep -E "^#[0-9]+\s+DONE" "$work/log" | tail -1 || true
  fi
  rm -rf "$work"
  [ "$status" -eq 0 ] || break
done
exit "$status"
