#!/usr/bin/env bash
# installed_gui.sh STAGE VERSION SAMPLES: the installed desktop program answers
# --version and --help without a display; under Xvfb it opens a drawing
# without making a work folder, and on closing writes its settings to
# the per-user configuration folder, never beside the executable.
# Exits 77 (skipped) after the first part when Xvfb or xdotool is missing.
set -u
unset QT_QPA_PLATFORM
source "$(dirname "$0")/lib.sh"
stage=$1 version=$2 samples=$3
app=$stage/bin/quintaro
self=$(realpath "$0")

if [ "${4:-}" = --session ]; then
  # Inside Xvfb: $5 is the sample, the environment names the user's folders.
  "$app" "$5" 2>/dev/null &
  pid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quintaro' | head -1)
  [ -n "$wid" ] || fail "no main window"
  # The sample carries no image: no work folder is made for it.
  ! compgen -G "$XDG_RUNTIME_DIR/quintaro-*" >/dev/null ||
    fail "a work folder in XDG_RUNTIME_DIR for a drawing without images"
  # File menu, then its close command; a second try if the first was too early.
  for _ in 1 2; do
    xdotool windowfocus --sync "$wid" key --clearmodifiers alt+f sleep 0.5 key x 2>/dev/null
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.2
    done
    kill -0 "$pid" 2>/dev/null || break
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "the main window did not close"
    kill "$pid"
  fi
  wait "$pid" || fail "exit code $? after closing"
  finish
fi

mkdir -p "$work"/{home,config,run,out}
chmod 700 "$work/run"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
cd "$work/out" || exit 1

expect_eq "$(env -u DISPLAY -u WAYLAND_DISPLAY "$app" --version)" "quintaro $version" "--version"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$app" --help) || fail "--help exit code"
grep -q '^Usage: quintaro ' <<<"$help" || fail "--help has no usage line"

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "no xvfb-run or xdotool: window check skipped"
  [ "$failures" -eq 0 ] && exit 77
  finish
fi

need_samples "$samples"
sample=$(find "$samples/jww" -name '*.jww' | sort | head -1)
xvfb-run -a bash "$self" "$stage" "$version" "$samples" --session "$sample" ||
  fail "desktop session (see above)"
settings=$work/config/quintaro/quintaro.ini
expect_file "$settings"
grep -qF "$sample" "$settings" || fail "settings do not hold the opened drawing"
expect_eq "$(ls -A "$work/run")" "" "runtime folder after exit"
expect_stage_unchanged "$stage"
finish
