# Helpers of the packaging checks. A failed check is counted, not fatal, so
# one run reports every problem; finish sets the exit code.
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expect_eq() {  # ACTUAL EXPECTED WHAT
  [ "$1" == "$2" ] || fail "$3: expected '$2', got '$1'"
}

expect_file() {
  [ -f "$1" ] || fail "missing file $1"
}

finish() {
  if [ "$failures" -eq 0 ]; then
    echo "all checks passed"
    exit 0
  fi
  echo "$failures check(s) failed" >&2
  exit 1
}

# Every path below ROOT with its type, mode, size and time: a file written or
# a temporary file created and removed (the folder's time) changes it.
listing() {
  (cd "$1" && find . -printf '%y %m %s %T@ %p\n' | sort)
}

# The staged prefix (see stage.sh) must be exactly as installed.
expect_stage_unchanged() {
  local changes
  changes=$(diff "$1.list" <(listing "$1")) || fail "written inside the installed prefix: $changes"
}

# The sample drawings: $QUINTARO_SAMPLES when set, else the folder given.
# Without them the check stops here: skipped (exit 77) with one line, or
# failed when CI=true, so that CI never passes by skipping them.
need_samples() {
  samples=${QUINTARO_SAMPLES:-$1}
  [ -d "$samples/jww" ] && return 0
  if [ "${CI:-}" = true ]; then
    fail "sample drawings not found in $samples"
    finish
  fi
  echo "skipped: sample drawings not found in $samples (set QUINTARO_SAMPLES to their folder)"
  [ "$failures" -eq 0 ] && exit 77
  finish
}

# A folder for one check, removed at exit.
work=$(mktemp -d "${TMPDIR:-/tmp}/quintaro-check.XXXXXX")
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
