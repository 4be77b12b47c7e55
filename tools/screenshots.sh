#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the program on a virtual display, with a fresh user folder that it
# fills from the bundled data set, and saves a picture of each page at
# 690x500 and at 1280x800, of the three dialogs, of the open and save file
# dialogs, of the help window, of a second window on the same data set (read
# only, also at 1000 pixels wide), of a file dragged over a row and dropped on
# the file field, of the picture dialog, of the settings menu and the dialogs
# of applying patches to a firmware and refreshing the previews from it (on a
# demonstration firmware made by tools/make_demo_firmware.py), of the
# firmware overview with its map, of the draft form at its smallest size, of a problem
# row's tooltip, of a search and
# the go-to-line dialog on the custom patch page, of the question before typed
# changes are lost and of the pages at 150 % (QT_SCALE_FACTOR=1.5) into
# OUT_DIR. Drives the window with the keyboard, and the mouse where a row must
# be picked or a file dragged.
#
#   tools/screenshots.sh OUT_DIR [PROGRAM]
#
# PROGRAM defaults to the tarvex of the preset built last (run, release or
# debug); the drag
# source (drag-source, built with the tests) is looked for beside it. Needs
# Xvfb, xdotool and ImageMagick (apt-get install xvfb xdotool imagemagick).
set -euo pipefail

out=${1:?usage: tools/screenshots.sh OUT_DIR [PROGRAM]}
root=$(cd "$(dirname "$0")/.." && pwd)
program=${2:-}
if [ -z "$program" ]; then
  # The preset built last of run, release and debug.
  program=$(python3 "$root/tools/built_program.py" tarvex 2>/dev/null || true)
fi
[ -x "${program:-}" ] || { echo "no program built; build it or name it" >&2; exit 2; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 2; }
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

scratch=$(mktemp -d)
xvfb_pid=
program_pid=
other_pids=()
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  for pid in "${other_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

display=99
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# A user folder and settings of its own: the user's real ones stay untouched.
mkdir -p "$scratch/data" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime"
"$program" >"$scratch/program.log" 2>&1 &
program_pid=$!

# The id of the visible window whose title matches, waiting for it to appear.
window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "no window '$1'; the screen is in $out/failure.png" >&2
  import -window root "$out/failure.png" || true
  cat "$scratch/program.log" >&2
  return 1
}
gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "window '$1' stayed open" >&2
  return 1
}
keys() { # window, keys...
  local id=$1; shift
  xdotool windowfocus --sync "$id"
  sleep 0.3 # a window just closed may still hold the keyboard
  for key in "$@"; do xdotool key "$key"; sleep 0.2; done
}
# Waits until a long step's progress window has gone (a minute at most).
finished() { # title
  for _ in $(seq 600); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "the progress window '$1' stayed open" >&2
  return 1
}
# The visible window whose title matches and that is at least this wide:
# the overview, not the scan's progress window of the same title.
wide_window() { # title, width
  local id width
  for _ in $(seq 600); do
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
      width=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p')
      if [ "${width:-0}" -ge "$2" ]; then echo "$id"; return 0; fi
    done
    sleep 0.1
  done
  echo "no window '$1' $2 pixels wide" >&2
  return 1
}
shoot() { # window, file
  sleep 0.5
  import -window "$1" "$out/$2"
  echo "$out/$2"
}

# The donation dialog, closed with Escape; on a busy machine the first key
# may reach it before it takes the keyboard, so it is pressed again.
dismiss_nag() {
  local nag=$1
  for _ in 1 2 3; do
    keys "$nag" Escape 2>/dev/null || true # it may have closed meanwhile
    gone '^Tarvex$' 2>/dev/null && return 0
  done
  gone '^Tarvex$'
}
nag=$(window '^Tarvex$')
shoot "$nag" dialog-donation.png
dismiss_nag "$nag"

main=$(window '^Tarvex by')
click() { # window, x, y
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}
xdotool windowmove --sync "$main" 0 0 || true
for size in 690x500 1280x800; do
  xdotool windowsize --sync "$main" "${size%x*}" "${size#*x}" || true
  shoot "$main" "page-melodies-$size.png"
  keys "$main" ctrl+Tab
  shoot "$main" "page-java-$size.png"
  keys "$main" ctrl+Tab
  click "$main" 120 110 # a picture slot: both previews and the sizes
  shoot "$main" "page-pictures-$size.png"
  keys "$main" ctrl+Tab
  shoot "$main" "page-custom-patch-$size.png"
  keys "$main" ctrl+shift+Tab ctrl+shift+Tab ctrl+shift+Tab
done
xdotool windowsize --sync "$main" 690 500 || true

# The file dialogs, in Russian: open for the first melody slot, then the save
# dialog of the melody patch.
click "$main" 120 110
keys "$main" ctrl+o
opened=$(window "^Открыть")
shoot "$opened" dialog-open-file.png
keys "$opened" Escape
gone '^Открыть'
keys "$main" ctrl+s
saved=$(window "^Сохранить")
shoot "$saved" dialog-save-file.png
keys "$saved" Escape
gone '^Сохранить'

# F1 on the Java page: its help text in a window of its own.
keys "$main" ctrl+Tab F1
helpwin=$(window '^Справка')
shoot "$helpwin" dialog-help.png
keys "$helpwin" Escape
gone '^Справка'
keys "$main" ctrl+shift+Tab

keys "$main" alt Right Down Return
settings=$(window '^Настройки$')
shoot "$settings" dialog-firmware.png
keys "$settings" Escape
gone '^Настройки$'

keys "$main" alt Right Right Down Down Return
about=$(window '^О программе')
shoot "$about" dialog-about.png
keys "$about" Escape
gone '^О программе'

# A second window on the same data set: it shows the data read only and
# names the program that holds it.
"$program" >"$scratch/second.log" 2>&1 &
other_pids+=($!)
dismiss_nag "$(window '^Tarvex$')"
second=$(window 'только чтение')
xdotool windowmove --sync "$second" 60 60 || true
shoot "$second" window-second-read-only.png
xdotool windowsize --sync "$second" 1000 600 || true
shoot "$second" window-second-read-only-1000.png
keys "$second" ctrl+q
gone 'только чтение'

# A melody file dragged from another program: the row under the pointer is
# marked, and a drop on the file field goes to the selected slot.
dragger=$(dirname "$program")/drag-source
if [ -x "$dragger" ]; then
  printf 'MThd\0\0\0\6\0\0\0\1\0\x60' >"$scratch/ring.mid"
  click "$main" 120 130 # a melody slot
  "$dragger" "$scratch/ring.mid" >"$scratch/drag.log" 2>&1 &
  other_pids+=($!)
  source_window=$(window '^drag-source$')
  eval "$(xdotool getwindowgeometry --shell "$source_window")"
  xdotool mousemove $((X + 40)) $((Y + 20)) mousedown 1
  for point in "700 500" "300 300" "120 200" "121 201"; do
    xdotool mousemove $point
    sleep 0.2
  done
  sleep 0.3
  import -window "$main" "$out/drag-over-row.png"
  echo "$out/drag-over-row.png"
  for point in "400 150" "530 125" "533 122"; do
    xdotool mousemove $point
    sleep 0.2
  done
  xdotool mouseup 1
  shoot "$main" drop-on-file-field.png
  grep -qx copy "$scratch/drag.log" || { echo "the drop was not taken as a copy" >&2; exit 1; }
else
  echo "no $dragger: no drop pictures (build the tests)" >&2
fi

# Settings: patches applied to a firmware, written where the user says, then
# the previews made from it; each firmware dialog offers the last one chosen.
python3 "$root/tools/make_demo_firmware.py" --out "$scratch" >/dev/null
patches=("$XDG_DATA_HOME"/Tarvex/X120XEDJ2/Data/ReqPatches/*.s3)
keys "$main" alt Right Down
sleep 0.5; import -window root "$out/menu-settings.png"; echo "$out/menu-settings.png"
keys "$main" Escape Escape
keys "$main" alt Right Down Up Up Up Up Up Return # "Применить патчи к прошивке..."
opened=$(window "^Открыть")
xdotool type --delay 20 "$scratch/X120XEDJ2.s3"
keys "$opened" Return
sleep 0.5
opened=$(window "^Открыть")
xdotool type --delay 20 "${patches[0]}"
shoot "$opened" dialog-apply-patches.png
keys "$opened" Return
saved=$(window "^Сохранить")
xdotool type --delay 20 "$scratch/patched.bin"
shoot "$saved" dialog-apply-save.png
keys "$saved" Return
gone '^Сохранить'
finished '^Применение патчей'
shoot "$main" page-after-apply.png
keys "$main" alt Right Down Up Up Up Return # "Обновить превью из прошивки..."
opened=$(window "^Открыть")
shoot "$opened" dialog-previews-firmware.png
keys "$opened" Return
finished '^Обновление превью'
done_box=$(window '^Tarvex$')
shoot "$done_box" dialog-previews-done.png
keys "$done_box" Return
gone '^Tarvex$'

# The firmware overview (the firmware chosen last is offered), then the
# draft form shrunk to its smallest size.
keys "$main" alt Right Down Up Up Return # "Обзор прошивки..."
opened=$(window "^Открыть")
keys "$opened" Return
overview=$(wide_window '^Обзор прошивки' 700)
xdotool windowsize --sync "$overview" 900 600 || true
shoot "$overview" dialog-firmware-overview.png
keys "$overview" Escape
gone '^Обзор прошивки'
keys "$main" alt Right Down Up Return # "Создать набор данных из прошивки..."
opened=$(window "^Открыть")
keys "$opened" Return
finished '^Обзор прошивки'
draft=$(window '^Создать набор данных')
# Without a window manager nothing holds a window to its minimum size: it
# is sized to the minimum the program asks for.
xdotool windowsize --sync "$draft" 1 1 || true
sleep 0.5
read -r min_w min_h < <(xwininfo -id "$draft" -size |
  sed -n 's/.*minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p' | head -1) || true
xdotool windowsize --sync "$draft" "${min_w:-343}" "${min_h:-178}" || true
shoot "$draft" dialog-draft-smallest.png
keys "$draft" Escape
gone '^Создать набор данных'

# A melody slot given a file that is no melody: its row's mark explains itself.
printf 'ID3\3\0\0\0\0\0\0' >"$scratch/song.mp3"
click "$main" 120 130
keys "$main" ctrl+o
opened=$(window "^Открыть")
xdotool type --delay 20 "$scratch/song.mp3"
keys "$opened" Return
gone '^Открыть'
xdotool windowfocus --sync "$main" # tooltips show in the active window only
xdotool mousemove --window "$main" 60 130
sleep 0.2
xdotool mousemove --window "$main" 62 131
sleep 1.5
import -window root -crop 700x300+0+0 "$out/tooltip-problem-row.png"
echo "$out/tooltip-problem-row.png"

# The picture dialog, with its preview beside the list of files.
keys "$main" ctrl+Tab ctrl+Tab
click "$main" 120 110
keys "$main" ctrl+o
opened=$(window "^Открыть")
xdotool type --delay 20 "$XDG_DATA_HOME/Tarvex/X120XEDJ2/Data/Pic/"
keys "$opened" Return
click "$opened" 360 330 # closes the name completion's list, if shown
shoot "$opened" dialog-open-picture.png
keys "$opened" Escape
gone '^Открыть'
keys "$main" ctrl+shift+Tab ctrl+shift+Tab

# The custom patch page with a file opened, a word typed and Ctrl+F finding
# an address; then Ctrl+Q asks whether to save the typed change.
head -c 4096 /dev/urandom >"$scratch/blob.bin"
keys "$main" ctrl+Tab ctrl+Tab ctrl+Tab ctrl+o
opened=$(window "^Открыть")
xdotool type --delay 20 "$scratch/blob.bin"
keys "$opened" Return
gone '^Открыть'
for _ in 1 2; do # the counts of bytes read and of whole records
  counts=$(window '^Tarvex$')
  keys "$counts" Return
  sleep 0.5
done
gone '^Tarvex$'
click "$main" 60 75
keys "$main" End space e d i t e d ctrl+f
xdotool type --delay 20 "00646A0"
keys "$main" Return
shoot "$main" page-custom-patch-find.png
keys "$main" Escape ctrl+g
goto=$(window "^Перейти к строке")
shoot "$goto" dialog-go-to-line.png
keys "$goto" Escape
gone "^Перейти к строке"
keys "$main" ctrl+q
question=$(window '^Tarvex$')
shoot "$question" dialog-save-changes.png
keys "$question" Escape
gone '^Tarvex$'
keys "$main" ctrl+z ctrl+z # back to the patch as opened: nothing to ask

# Ctrl+Q (Файл / Выход): the close sequence runs and the program ends.
quit() { # window
  keys "$1" ctrl+q
  for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$program_pid" 2>/dev/null; then
    echo "the program did not end after Ctrl+Q" >&2
    exit 1
  fi
  wait "$program_pid" || true
  program_pid=
}
quit "$main"

# The pages at 150 %: rows and previews as larger screens show them.
QT_SCALE_FACTOR=1.5 "$program" >"$scratch/program.log" 2>&1 &
program_pid=$!
dismiss_nag "$(window '^Tarvex$')"
main=$(window '^Tarvex by')
xdotool windowmove --sync "$main" 0 0 || true
shoot "$main" page-melodies-150pct.png
keys "$main" ctrl+Tab
shoot "$main" page-java-150pct.png
keys "$main" ctrl+Tab
click "$main" 150 165 # a picture slot, in the larger rows
shoot "$main" page-pictures-150pct.png
keys "$main" ctrl+Tab
shoot "$main" page-custom-patch-150pct.png
quit "$main"
