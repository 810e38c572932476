#!/usr/bin/env bash
# A person's drag: on the (virtual) X display, the real mouse opens the reorder dialog from the
# palette's menu, selects BBBB and EEEE with Ctrl and drags them onto FFFF; the keyboard hides
# every row (Ctrl+A, Space), shows AAAA again (click, Space) and moves it down (Alt+Down); OK. The
# host then closes, and the order and the hidden rows the plug-in stored must be the new ones.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$here/../.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat > "$work/menus.txt" <<'MENUS'
menu 1 フィルタ
item 11 AAAA
item 12 BBBB
item 13 CCCC
item 14 DDDD
item 15 EEEE
item 16 FFFF
MENUS
printf '[キラボ]\r\nColumn=1\r\n' | iconv -f UTF-8 -t CP932 > "$work/host.ini"
win() { echo "Z:${1//\//\\}"; }

source "$root/scripts/x11-helpers"
"$root/scripts/wine-run" "$root/build/windows/kirabo-host.exe" --menus "$(win "$work/menus.txt")" \
  --ini "$(win "$work/host.ini")" --quit-after $(($(time_limit 60) * 1000)) &
host=$!

palette=$(wait_for 'キラボ')
open_menu "$palette" s r '並び替え'                # 設定 → 並び替え
dialog=$(wait_for '並び替え')
wait_still
eval "$(xdotool getwindowgeometry --shell "$dialog")"
# The list's rows, one a line 14 pixels apart below its column headers, and the OK button, from the dialog's corner
# (dialog units of the template in the prefix's Japanese font).
item_x=$((X + 60))
item_y() { echo $((Y + 80 + 14 * $1)); }
xdotool mousemove "$item_x" "$(item_y 1)" click 1            # BBBB
xdotool keydown ctrl mousemove "$item_x" "$(item_y 4)" click 1 keyup ctrl   # + EEEE
sleep 0.2
xdotool mousedown 1
for dy in 2 4 6 8 10 12 14; do
  xdotool mousemove "$item_x" $(( $(item_y 4) + dy ))
  sleep 0.05
done
xdotool mousemove "$item_x" "$(item_y 5)"                   # the middle of FFFF: after it
sleep 0.1
xdotool mouseup 1
sleep 0.3
xdotool key ctrl+a space                                    # every row selected, and hidden
sleep 0.2
xdotool mousemove "$item_x" "$(item_y 0)" click 1           # AAAA alone
sleep 0.2
xdotool key space alt+Down                                  # shown again, and one place down
sleep 0.3
xdotool mousemove $((X + 335)) $((Y + 281)) click 1         # OK
wait_until 10 "the reorder dialog to close" no_window '並び替え'
main=$(wait_for 'kirabo-host')
activate "$main"
xdotool key alt+F4                                         # the host closes: the plug-in stores
wait "$host" || true

# The values stored under KEY0, KEY1, ... in order; each check says what it expected and got.
stored() {
  iconv -f CP932 -t UTF-8 "$work/host.ini" | tr -d '\r' | { grep "^$1[0-9]*=" || true; } | sort -V | cut -d= -f2 | paste -sd' '
}
fail=0
check() { [ "$2" = "$3" ] && echo "$1: $3" || { echo "$1: expected \"$2\", got \"$3\""; fail=1; }; }
check "stored order" "CCCC AAAA DDDD FFFF BBBB EEEE" "$(stored FilterName)"
check "stored hidden rows" "CCCC DDDD FFFF BBBB EEEE" "$(stored HiddenName)"
exit $fail
