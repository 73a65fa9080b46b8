#!/usr/bin/env bash
# The desktop program in a real window, as a Japanese Windows user drives it,
# under Wine on a virtual screen at 144 dpi (150 %):
#   desktop_run.sh QUINTARO_EXE QUINTARO_CLI_EXE SAMPLE SHOTS_DIR
# A copy of SAMPLE named 平面図.jww in a folder 図面 is given on the command
# line; group 0 is dragged with the right button onto the first empty group,
# the question answered はい, the move undone (Ctrl+Z) and redone (Ctrl+Y),
# and the drawing saved through Save As and its file dialog as moved.jww.
# `quintaro-cli layers` of the saved file then equals that of the original
# moved by `quintaro-cli move --group 0:TARGET`, and differs from the original's.
# Needs DISPLAY (an X server) and a WINEPREFIX of its own; Japanese locale
# and IPA fonts are set up in the prefix. Screenshots go to SHOTS_DIR.
set -euo pipefail
exe=$1 cli=$2 sample=$3 shots=$4
mkdir -p "$shots"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
say() { echo "desktop run: $*"; }

shot() {  # NAME: the whole screen as SHOTS_DIR/NAME.png
  import -window root "$shots/$1.png"
}
wait_window() {  # NAME_PATTERN: the id of the visible window whose name matches, after it appears
  local id
  for _ in $(seq 120); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1) || true
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.5
  done
  echo "desktop run: no window named '$1'" >&2
  return 1
}
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }
wait_new_window() {  # WINDOW_LIST: the id of a visible window not in the list, once one appears
  local id
  for _ in $(seq 120); do
    id=$(comm -13 <(echo "$1") <(visible_windows) | tail -1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.5
  done
  echo "desktop run: no new window" >&2
  return 1
}
geometry() {  # WINDOW: sets X Y W H of the window's client area
  eval "$(xdotool getwindowgeometry --shell "$1")"
  X=$X Y=$Y W=$WIDTH H=$HEIGHT
}

# The prefix: Japanese fonts for Wine's own dialogs and the drawing's MS
# faces, 144 dpi.
wine wineboot --init >/dev/null 2>&1
fonts=$WINEPREFIX/drive_c/windows/Fonts
cp /usr/share/fonts/opentype/ipafont-gothic/*.ttf /usr/share/fonts/opentype/ipafont-mincho/*.ttf "$fonts/"
reg=$(mktemp --suffix=.reg)
{
  printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
  for f in "MS Shell Dlg" "MS Shell Dlg 2" "MS UI Gothic" "MS Gothic" "Tahoma" "Segoe UI" "Meiryo" \
    "Yu Gothic"; do
    printf '"%s"="IPAGothic"\r\n' "$f"
  done
  printf '"MS PGothic"="IPAPGothic"\r\n"MS Mincho"="IPAMincho"\r\n"MS PMincho"="IPAPMincho"\r\n'
  printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:00000090\r\n'
} >"$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w

# The drawing under a Japanese name, and the group it goes to.
work=$(mktemp -d)
trap 'rm -rf "$work" "$reg"' EXIT
mkdir "$work/図面"
drawing=$work/図面/平面図.jww
saved=$work/図面/moved.jww
cp "$sample" "$drawing"
totals=$(wine "$cli" info --json "$drawing" | tr -d '\r' |
  grep -o '"group": [0-9]*, "name": "[^"]*", "scale": [^,]*, "total": [0-9]*' |
  sed 's/"group": \([0-9]*\).*"total": \([0-9]*\)/\1 \2/')
target=$(awk '$2 == 0 { print $1; exit }' <<<"$totals")
[ -n "$target" ] && [ "$(awk '$1 == 0 { print $2 }' <<<"$totals")" -gt 0 ]
say "group 0 goes onto the empty group $target"

wine "$exe" "$(winepath -w "$drawing")" >"$shots/quintaro.log" 2>&1 &
app=$!
main=$(wait_window '^Quintaro - ')
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 3
shot 1-drawing

# The page "LayerGroup" (Ctrl+Tab turns the page), its 4 x 4 thumbnails
# filling the client area above the tabs and the status bar.
xdotool key --window "$main" ctrl+Tab
geometry "$main"
cell_w=$((W / 4)) cell_h=$(((H * 80 / 100) / 4))
top=$((Y + H * 8 / 100))
# The thumbnails are drawn in the background: wait until group 0's cell
# shows more than its frame and background (slow under load).
for _ in $(seq 120); do
  colours=$(import -window root -crop "${cell_w}x${cell_h}+$X+$top" png:- 2>/dev/null |
    convert - -format %k info: 2>/dev/null) || true
  [ "${colours:-0}" -gt 4 ] && break
  sleep 0.5
done
sleep 1
shot 2-groups
centre() {  # GROUP: sets CX CY, the screen point in the middle of the group's cell
  CX=$((X + ($1 % 4) * cell_w + cell_w / 2))
  CY=$((top + ($1 / 4) * cell_h + cell_h / 2))
}
centre 0
from_x=$CX from_y=$CY
centre "$target"
xdotool mousemove "$from_x" "$from_y" sleep 0.3 mousedown 3 sleep 0.3
for i in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((from_x + (CX - from_x) * i / 8)) $((from_y + (CY - from_y) * i / 8)) sleep 0.15
done
shot 3-dragging
xdotool mouseup 3
question=$(wait_window '^Quintaro$')
sleep 1
shot 4-question
xdotool key --window "$question" alt+y
sleep 3
shot 5-moved
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key --window "$main" ctrl+z
sleep 2
xdotool key --window "$main" ctrl+y
sleep 2

# Save As (Ctrl+Shift+S, as the File menu shows) through Wine's file dialog,
# which comes up in the drawing's folder (untitled): a new name is typed
# (xdotool types no Japanese).
xdotool key --window "$main" alt+f
sleep 1
shot 6-menu
xdotool key --window "$main" Escape Escape
sleep 0.5
before=$(visible_windows)
xdotool key --window "$main" ctrl+shift+s
dialog=$(wait_new_window "$before")
sleep 2
shot 7-save-dialog
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
xdotool key End shift+Home
xdotool type moved.jww
xdotool key Return
for _ in $(seq 60); do
  [ -s "$saved" ] && break
  sleep 0.5
done
sleep 2
shot 8-saved
xdotool key --window "$main" alt+f
sleep 0.5
xdotool key x
for _ in $(seq 40); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.5
done
kill "$app" 2>/dev/null || true
[ -s "$saved" ] || {
  echo "desktop run: nothing was saved" >&2
  exit 1
}

# The saved drawing holds exactly the move of group 0 onto the target (as
# the command line makes it), and nothing else changed: same layer lists.
layers() { wine "$cli" layers --csv "$1" | tr -d '\r' | tail -n +2 | cut -d, -f2-; }
hex=$(printf '%X' "$target")
wine "$cli" move "$(winepath -w "$drawing")" --group "0:$hex" --out-dir "$(winepath -w "$work/cli")" >/dev/null
expected=$(layers "$work/cli/平面図.jww")
actual=$(layers "$saved")
if [ "$expected" != "$actual" ] || [ "$actual" = "$(layers "$drawing")" ]; then
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  exit 1
fi
say "saved drawing shows exactly the move of group 0 onto group $hex ($(wc -l <<<"$actual") layer rows)"
