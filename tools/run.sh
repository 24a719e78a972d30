#!/usr/bin/env bash
# Installs what is missing, builds Velmar and starts it on its bundled data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target velmar-cli
exec build/default/cli/velmar-cli demo
