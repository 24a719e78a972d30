#!/usr/bin/env bash
# Installs, with apt-get, everything Velmar needs to build, run and test on a
# fresh Debian 12 machine. Does nothing but a quick check when all is present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config        # compiler and build
  qt6-base-dev                            # desktop program (Widgets) and chart painter (Gui)
  libgtest-dev libgmock-dev               # domain tests
  libbenchmark-dev                        # speed benchmarks
  libgeographiclib-dev                    # independent oracle in the geodesy tests
  xvfb xauth                              # starting the windows headless
  fonts-liberation2                       # a compact sans-serif for the windows' design sizes
  gpsbabel                                # reading exported routes back in the tests
  clang libclang-rt-14-dev                # fuzzing with libFuzzer
  libnova-dev                             # the sun's altitude, rise and set at each point
  qt6-translations-l10n                   # the platform's own dialogs (file, print) in Italian
  poppler-utils                           # reading the passage plan's PDF back in the tests
  dpkg-dev fakeroot                       # building the Debian package
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
