#!/usr/bin/env bash
# The long run of the random-user test: the whole program under a seeded
# random user, optimised and under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer (the soak preset, in build/soak), several seeds at once.
#
#   bash tools/random-user.sh [ACTIONS_PER_SEED] [SEED...]
#
# Defaults: 125000 actions for each of the seeds 1 to 8, as many at once as
# the machine has cores. Each seed's log goes to build/soak/random-user/; the
# last line per seed says how it went. Exits non-zero if any seed failed.
#
# The random user presses whatever it finds. The test keeps it out of the
# platform's file and print dialogs and points HOME at a temporary folder,
# but as root it would still run with the power to damage the machine: it
# runs as "nobody" then, in a folder of its own under /tmp.
set -euo pipefail
cd "$(dirname "$0")/.."

actions=${1:-125000}
shift || true
seeds=("$@")
((${#seeds[@]})) || seeds=(1 2 3 4 5 6 7 8)

cmake --preset soak >/dev/null
cmake --build --preset soak --target random_user_test

logs=build/soak/random-user
mkdir -p "$logs"
work=$(mktemp -d /tmp/velmar-random-user.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp build/soak/tests/ui/random_user_test tools/lsan.supp "$work/"
chmod 755 "$work" "$work/random_user_test"
chmod 644 "$work/lsan.supp"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(runuser -u nobody --)
  chmod 1777 "$work"
fi

one() {
  local seed=$1 log="$logs/seed-$1.log" started=$SECONDS rc=0
  mkdir -p "$work/$seed"
  [ "$(id -u)" -ne 0 ] || chown nobody "$work/$seed"
  "${as_user[@]}" env -C "$work/$seed" \
    QT_QPA_PLATFORM=offscreen TMPDIR="$work/$seed" \
    ASAN_OPTIONS=detect_leaks=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$work/lsan.supp" \
    QTEST_FUNCTION_TIMEOUT=$((24 * 3600 * 1000)) \
    VELMAR_MONKEY_SEED="$seed" VELMAR_MONKEY_ACTIONS="$actions" \
    "$work/random_user_test" >"$log" 2>&1 || rc=$?
  local how
  how=$(grep -o 'random user: [0-9]* actions in .* restarts' "$log" | tail -1 || true)
  if ((rc == 0)); then
    echo "seed $seed: passed, ${how#random user: } ($((SECONDS - started)) s)"
  else
    echo "seed $seed: FAILED (exit $rc), see $log"
  fi
}

jobs=$(nproc)
for seed in "${seeds[@]}"; do
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
  one "$seed" | tee -a "$work/results" &
done
wait
if grep -q FAILED "$work/results"; then
  echo "random user: a seed failed"
  exit 1
fi
echo "random user: ${#seeds[@]} seeds of $actions actions, no finding"
