#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer
# (the asan preset, in build/asan) and runs every test under them; any report
# fails the test that made it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan
cmake --build --preset asan -j2
ctest --preset asan
