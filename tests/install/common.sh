# Shared by the install tests: a scratch folder removed at the end, a
# failure that says what, and the installed program's headless check.

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

# run_check EXE HOME: the program's --check on the offscreen platform with a
# home of its own and no system data folders, so that only the install's own
# data can be found. Its output is left in $tmp/check.out.
run_check() {
  local exe=$1 home=$2
  mkdir -p "$home" && mkdir -p -m 700 "$tmp/runtime"
  if ! HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
      XDG_DATA_DIRS="$tmp/no-system-data" XDG_RUNTIME_DIR="$tmp/runtime" \
      QT_QPA_PLATFORM=offscreen timeout 60 "$exe" --check >"$tmp/check.out" 2>"$tmp/check.err"; then
    cat "$tmp/check.out" "$tmp/check.err" >&2
    fail "$exe --check failed"
  fi
}

# expect_line TEXT: a whole line of the check's output.
expect_line() {
  grep -qxF -- "$1" "$tmp/check.out" || {
    cat "$tmp/check.out" >&2
    fail "the check did not say: $1"
  }
}

# check_found PREFIX HOME: the check read the data of PREFIX/share/velmar
# and wrote the settings into HOME's data folder.
check_found() {
  local data=$1/share/velmar user=$2/.local/share/velmar
  expect_line "velmar: program folder $user"
  expect_line "velmar: data folder $data"
  grep -qE "^velmar: ports $data/PORTI.TXT: [1-9][0-9]{2,} ports$" "$tmp/check.out" ||
    fail "the ports list was not read: $(cat "$tmp/check.out")"
  for map in MONDOGW.MAP MONDOAG.MAP; do
    grep -qE "^velmar: map $data/$map: [1-9][0-9]* coast lines$" "$tmp/check.out" ||
      fail "$map was not read: $(cat "$tmp/check.out")"
  done
  expect_line "velmar: settings $user/VELMAR3.INI"
  grep -q '^\[Velmar\]' "$user/VELMAR3.INI" || fail "VELMAR3.INI holds no [Velmar] section"
}
