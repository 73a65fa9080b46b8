#!/usr/bin/env bash
# make_man_page.sh PROGRAM NAME VERSION TEMPLATE OUTPUT
# Writes OUTPUT from TEMPLATE, filling its marker lines (.\" help: name,
# synopsis, options, subcommands) with roff made from PROGRAM's --help and each
# subcommand's --help, so the man page says what the program itself says.
set -euo pipefail
program=$1 name=$2 version=$3 template=$4 output=$5
here=$(cd "$(dirname "$0")" && pwd)

roff() {  # PART HELP_TEXT [SUBCOMMAND]
  awk -v part="$1" -v prog="$name" -v subcmd="${3:-}" -f "$here/help_to_roff.awk" <<<"$2"
}

main=$("$program" --help)
subs=$(awk '/^[A-Za-z][A-Za-z ]*:$/ { s = $0; next }
            s == "Subcommands:" && /^  [^ ]/ { print $1 }' <<<"$main")
declare -A help
for s in $subs; do help[$s]=$("$program" "$s" --help); done

# A fixed date when the build asks for a reproducible one.
date=$(date -u -d "@${SOURCE_DATE_EPOCH:-$(date +%s)}" +%Y-%m-%d)
tmp=$(mktemp "$output.XXXXXX")
trap 'rm -f "$tmp"' EXIT
while IFS= read -r line; do
  case $line in
    '.\" help: name') roff name "$main" ;;
    '.\" help: synopsis')
      roff synopsis "$main"
      for s in $subs; do
        echo .br
        roff synopsis "${help[$s]}" "$s"
      done
      ;;
    '.\" help: options') roff entries "$main" ;;
    '.\" help: subcommands') for s in $subs; do roff sub "${help[$s]}" "$s"; done ;;
    *)
      line=${line//@VERSION@/$version}
      printf '%s\n' "${line//@DATE@/$date}"
      ;;
  esac
done <"$template" >"$tmp"
chmod 644 "$tmp"
mv "$tmp" "$output"
trap - EXIT
