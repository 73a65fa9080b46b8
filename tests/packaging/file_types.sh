#!/usr/bin/env bash
# file_types.sh STAGE: the installed desktop entry, file types and icon are
# valid and fit together: after the updates the Debian triggers run, a file
# manager finds each format by extension (either case) and by its first bytes,
# and opens it with Quintaro.
set -u
source "$(dirname "$0")/lib.sh"
stage=$1
share=$stage/share
desktop=$share/applications/quintaro.desktop
mime=$share/mime/packages/quintaro.xml
expect_file "$desktop"
expect_file "$mime"
expect_file "$share/icons/hicolor/scalable/apps/quintaro.svg"

for tool in desktop-file-validate xmllint update-mime-database update-desktop-database gio; do
  command -v $tool >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
xmllint --noout "$mime" "$share/icons/hicolor/scalable/apps/quintaro.svg" || fail "XML not well-formed"

field() { sed -n "s/^$1=//p" "$desktop"; }
expect_eq "$(field Name)" Quintaro "Name"
expect_eq "$(field Icon)" quintaro "Icon"
expect_eq "$(field Exec | cut -d' ' -f1)" quintaro "program of Exec"
[ -x "$stage/bin/quintaro" ] || fail "Exec names no installed program"
grep -q '^Comment\[ja\]=.*レイヤ' "$desktop" || fail "no Japanese comment"
field Categories | grep -q '^Graphics;' || fail "not in Graphics"

# A data folder as the system keeps it: the package's files plus the caches.
data=$work/data
mkdir -p "$data/mime/packages" "$data/applications"
cp "$mime" "$data/mime/packages/"
cp "$desktop" "$data/applications/"
export XDG_DATA_HOME=$work/none XDG_CONFIG_HOME=$work/none XDG_DATA_DIRS=$data:/usr/share
export PATH=$stage/bin:$PATH
update-mime-database "$data/mime" || fail "update-mime-database"
update-desktop-database "$data/applications" || fail "update-desktop-database"

type_of() {
  gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'
}

files=$work/files
mkdir "$files"
check_type() {  # TYPE MAGIC: by extension in both cases, by magic without one
  local ext=${1#application/x-}
  printf '%s' "$2" >"$files/plan.$ext"
  printf 'not a drawing' >"$files/PLAN2.${ext^^}"
  printf '%s\0\0\0\0' "$2" >"$files/$ext-no-extension"
  expect_eq "$(type_of "$files/plan.$ext")" "$1" "type of plan.$ext"
  expect_eq "$(type_of "$files/PLAN2.${ext^^}")" "$1" "type of PLAN2.${ext^^}"
  expect_eq "$(type_of "$files/$ext-no-extension")" "$1" "type by the first bytes $2"
  gio mime "$1" | grep -q 'Default application.*quintaro.desktop' ||
    fail "$1 does not open with quintaro.desktop"
  field MimeType | tr ';' '\n' | grep -qx "$1" || fail "desktop entry does not list $1"
}
check_type application/x-jww 'JwwData.'
check_type application/x-jws 'JwsData'
check_type application/x-jwc 'jw_cad(c)data.......'
check_type application/x-jwk 'jw_cad(c)sym........'
printf 'plain text\n' >"$files/notes"
[ "$(type_of "$files/notes")" = text/plain ] || fail "a text file taken for a drawing"

expect_stage_unchanged "$stage"
finish
