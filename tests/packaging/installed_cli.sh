#!/usr/bin/env bash
# installed_cli.sh STAGE VERSION SAMPLES: runs the installed quintaro-cli as a
# user would (own home, config and runtime folders, started from elsewhere and
# from its own folder) and checks it writes only where it was told to and
# makes no work folder for drawings that carry no image.
set -u
source "$(dirname "$0")/lib.sh"
stage=$1 version=$2 samples=$3
cli=$stage/bin/quintaro-cli

mkdir -p "$work"/{home,config,run,out}
chmod 700 "$work/run"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
cd "$work/out" || exit 1

expect_eq "$("$cli" --version)" "quintaro-cli $version" "--version"

# One JWW drawing of the samples, and the project's demo drawing.
need_samples "$samples"
sample=$(find "$samples/jww" -name '*.jww' | sort | head -1)
[ -n "$sample" ] || fail "no JWW sample in $samples"
"$cli" demo -o demo.jww >/dev/null || fail "demo"
"$cli" info demo.jww | grep -q JWW || fail "info of the demo drawing does not name JWW"
"$cli" info --json "$sample" | grep -q '"format": "JWW"' || fail "info --json of $sample"

"$cli" move demo.jww -o _demo.jww --group 0:5 >/dev/null || fail "move of one drawing"
expect_file _demo.jww

# A batch with a mapping file: first a dry run that writes nothing.
echo '[{"group": "0:5"}, {"layer": "5-0:6-1"}]' >moves.json
mkdir done
"$cli" move --map moves.json --out-dir done --dry-run demo.jww "$sample" >/dev/null ||
  fail "batch dry run"
expect_eq "$(ls done)" "" "files written by --dry-run"
"$cli" move --map moves.json --out-dir done demo.jww "$sample" >/dev/null || fail "batch move"
expect_file done/demo.jww
expect_file "done/$(basename "$sample")"

# A folder tree re-layered by name, with a report, and the survey before it.
mkdir -p tree/sub && cp demo.jww tree/sub/D.JWW
"$cli" layers --csv demo.jww | head -c 3 | od -An -tx1 | grep -q 'ef bb bf' || fail "layers --csv BOM"
"$cli" move -r tree --out-dir sorted --layer-name '*:1-1' --report report.json >/dev/null 2>&1 ||
  fail "move of a folder tree"
expect_file sorted/sub/D.JWW
expect_file report.json

# Usage errors exit with 2, other failures with 1.
"$cli" move demo.jww -o bad.jww --group 2:G 2>/dev/null
expect_eq "$?" 2 "exit code of a malformed move"
"$cli" info --bogus demo.jww 2>/dev/null
expect_eq "$?" 2 "exit code of an unknown option"
"$cli" info missing.jww 2>/dev/null
expect_eq "$?" 1 "exit code of a missing drawing"

# Started from its own folder, writing a result elsewhere.
(cd "$stage/bin" && ./quintaro-cli convert "$work/out/demo.jww" -o "$work/out/again.jww") >/dev/null ||
  fail "convert started in the program's folder"
expect_file again.jww

# A drawing that carries no image makes no work folder at all (neither folder
# then shows a new time), and nothing is left in the runtime folder.
mkdir "$work/tmp"
touch -d @978307200 "$work/run" "$work/tmp"
TMPDIR=$work/tmp "$cli" info "$sample" >/dev/null || fail "info of $sample"
expect_eq "$(stat -c %Y "$work/run")" 978307200 "time of XDG_RUNTIME_DIR (work folder made there)"
expect_eq "$(stat -c %Y "$work/tmp")" 978307200 "time of TMPDIR (work folder made there)"
expect_eq "$(ls -A "$work/run")" "" "runtime folder after exit"
expect_eq "$(ls -A "$work/config" "$work/home" | tr -d '\n')" "$work/config:$work/home:" \
  "config and home folders (the command-line tool keeps no settings)"

expect_stage_unchanged "$stage"
finish
