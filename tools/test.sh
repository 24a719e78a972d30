#!/usr/bin/env bash
# Installs what is missing, builds Velmar and runs every test: the release
# suite, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short run of every fuzz target over its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

cmake --preset default
cmake --build --preset default
mkdir -p build
ctest --preset default 2>&1 | tee build/test-release.log

bash tools/asan-tests.sh 2>&1 | tee build/test-asan.log
bash tools/fuzz-smoke.sh

count() { grep -Eo 'tests failed out of [0-9]+' "$1" | grep -Eo '[0-9]+$' | tail -1; }
release=$(count build/test-release.log)
asan=$(count build/test-asan.log)
echo "release ${release}, sanitizers ${asan}, fuzz targets clean"
echo "tests: $((release + asan)) passed, 0 failed"
