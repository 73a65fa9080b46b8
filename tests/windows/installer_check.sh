#!/usr/bin/env bash
# The installer in a fresh Wine prefix in which another program already opens
# .jww files (a stand-in for Jw_cad):
#   installer_check.sh SETUP_EXE
# Silent install (/S): the files, Start-menu entries, the entry among the
# installed apps and the "Open with" registration are there, and .jww still
# opens with the stand-in. The uninstaller (waited for) removes everything
# the installer added; the stand-in's registration and the user's settings stay.
set -euo pipefail
setup=$1
export WINEPREFIX
WINEPREFIX=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C.UTF-8
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
say() { echo "installer check: $*"; }
fail() {
  echo "installer check: $*" >&2
  exit 1
}
wine wineboot --init >/dev/null 2>&1

query() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
classes='HKCU\Software\Classes'
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintaro'
# Every key and value the installer may touch, as text.
registry() {
  for key in "$classes\\.jww" "$classes\\.jws" "$classes\\.jwc" "$classes\\.jwk" \
    "$classes\\Quintaro.Drawing" "$classes\\Applications\\quintaro.exe" "$uninstall" \
    'HKCU\Software\Microsoft\Windows\CurrentVersion\App Paths\quintaro.exe'; do
    echo "[$key]"
    query "$key" /s || true
  done
}

# The stand-in default program of .jww, and a user's settings.
wine reg add "$classes\\.jww" /ve /d JwCad.Drawing /f >/dev/null
wine reg add "$classes\\JwCad.Drawing\\shell\\open\\command" /ve /d '"C:\jwcad\Jw_win.exe" "%1"' /f >/dev/null
appdata=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
mkdir -p "$appdata/quintaro"
echo "[Sets]" >"$appdata/quintaro/quintaro.ini"
wineserver -w
before=$(registry)
home=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")/Programs/Quintaro
files_before=$(cd "$WINEPREFIX/drive_c" && find . -not -ipath "*/temp/*" | sort)

wine "$setup" /S
wineserver -w
for f in quintaro.exe quintaro-cli.exe quintaro-guide.txt uninstall.exe LICENSE.txt licenses/README.txt; do
  [ -f "$home/$f" ] || fail "not installed: $f"
done
start_menu=$(find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Quintaro/Quintaro.lnk' | head -1)
[ -n "$start_menu" ] || fail "no Start-menu entry"
[ "$(wine "$home/quintaro-cli.exe" --version | tr -d '\r')" != "" ] || fail "installed tool does not run"
query "$uninstall" /v DisplayName | grep -q Quintaro || fail "not among the installed apps"
query "$uninstall" /v UninstallString | grep -q 'uninstall.exe' || fail "no uninstall command"
for ext in jww jws jwc jwk; do
  query "$classes\\.$ext\\OpenWithProgids" /v Quintaro.Drawing | grep -q Quintaro.Drawing ||
    fail "no Open with entry for .$ext"
done
query "$classes\\Quintaro.Drawing\\shell\\open\\command" /ve | grep -q 'quintaro.exe" "%1"' ||
  fail "no open command"
query "$classes\\.jww" /ve | grep -q JwCad.Drawing || fail "the default program of .jww changed"
for ext in jws jwc jwk; do
  if query "$classes\\.$ext" /ve | grep 'REG_SZ' | grep -vq '(value not set)'; then
    fail "a default program was set for .$ext"
  fi
done
say "installed into $(winepath -w "$home"); .jww still opens with the stand-in"

# The uninstaller copies itself to the temporary folder and runs from
# there; waiting for the Wine server waits for that copy too.
wine "$home/uninstall.exe" /S
wineserver -w
after=$(registry)
if [ "$before" != "$after" ]; then
  diff <(echo "$before") <(echo "$after") >&2 || true
  fail "the registry differs from before the install"
fi
files_after=$(cd "$WINEPREFIX/drive_c" && find . -not -ipath "*/temp/*" | sort)
if [ "$files_before" != "$files_after" ]; then
  diff <(echo "$files_before") <(echo "$files_after") >&2 || true
  fail "files differ from before the install"
fi
[ -f "$appdata/quintaro/quintaro.ini" ] || fail "the user's settings were removed"
say "uninstalled: registry and files as before, settings kept"
