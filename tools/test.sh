#!/usr/bin/env bash
# Installs what is missing, builds Velmar and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
