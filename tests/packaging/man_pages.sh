#!/usr/bin/env bash
# man_pages.sh STAGE: each installed man page says what its program's --help
# says: every subcommand, every option and every description, found in the
# page's own section for it, and the page formats without warnings.
set -u
source "$(dirname "$0")/lib.sh"
stage=$1

# The page as a reader sees it, without hyphenation or line breaks in the way.
render() {
  zcat "$1" | groff -man -Tascii -rLL=1000n -ww 2>"$work/groff.err" | col -b
  [ -s "$work/groff.err" ] && fail "groff warns about $1: $(cat "$work/groff.err")"
}

# Lines of the rendered page from the heading matching $2 to the next heading
# of the same or a higher level, joined and with runs of blanks made one.
section() {
  awk -v head="$2" '
    found && ($0 ~ /^[A-Z]/ || (head ~ /^   / && $0 ~ /^   [^ ]/)) { exit }
    $0 == head { found = 1 }
    found' <<<"$1" | tr -s ' \t\n' '   '
}

# Every entry of a --help text as "TERM<TAB>DESCRIPTION", subcommand lists left out.
entries() {
  awk '
    /^[A-Za-z][A-Za-z ]*:$/ { flush(); sec = $0; next }
    sec == "" || sec == "Subcommands:" { next }
    /^  [^ ]/ { flush(); t = substr($0, 3); d = ""
                if (match(t, /  +/)) { d = substr(t, RSTART + RLENGTH); t = substr(t, 1, RSTART - 1) }
                next }
    /^    / { sub(/^ +/, ""); d = (d == "" ? $0 : d " " $0); next }
    { flush() }
    function flush() { if (t != "") print t "\t" d; t = "" }
    END { flush() }' <<<"$1"
}

# Each option name of TERM ("-o,--output TEXT REQUIRED") and the description
# must be in TEXT (a section of the page).
check_entries() {  # HELP SECTION_TEXT WHERE
  local term desc name
  while IFS=$'\t' read -r term desc; do
    for name in $(tr ',' ' ' <<<"${term%% *}"); do
      grep -qF -- " $name" <<<" $2" || fail "$3: '$name' not in the man page"
    done
    [ -z "$desc" ] || grep -qF -- "$desc" <<<"$2" || fail "$3: '$desc' not in the man page"
  done < <(entries "$1")
}

for program in quintaro-cli quintaro; do
  exe=$stage/bin/$program page=$stage/share/man/man1/$program.1.gz
  [ -x "$exe" ] || continue
  expect_file "$page"
  [ -f "$page" ] || continue
  text=$(render "$page")
  help=$("$exe" --help)
  check_entries "$help" "$(section "$text" OPTIONS)" "$program"
  desc=$(head -1 <<<"$help")
  grep -qF -- "${desc#"$program: "}" <<<"$(section "$text" NAME)" || fail "$program: NAME differs"
  subs=$(sed -n '/^Subcommands:$/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$help")
  for sub in $subs; do
    part=$(section "$text" "   $sub")
    [ -n "$part" ] || { fail "$program: no section for $sub"; continue; }
    sub_help=$("$exe" "$sub" --help)
    check_entries "$sub_help" "$part" "$program $sub"
    grep -qF -- "$program $sub " <<<"$(section "$text" SYNOPSIS)" ||
      fail "$program: $sub not in the synopsis"
  done
  [ "$program" != quintaro-cli ] || [ -n "$subs" ] || fail "quintaro-cli --help lists no subcommands"
done

expect_stage_unchanged "$stage"
finish
