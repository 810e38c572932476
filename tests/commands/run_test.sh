#!/usr/bin/env bash
# The README's ./run commands: --help, the headless screenshot of the README's own menu example
# and --screenshots DIR, both with paths given from another folder; failed runs that write no
# image and never hang; ./run beside ./test and after a SIGTERM; the host's answers to bad input.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail=0

help=$("$root/run" --help)
for option in --plugin --menus --ini --quit-after --screenshots --help; do
  grep -q -- "$option" <<<"$help" || { echo "./run --help does not list $option"; exit 1; }
done

# The README's --menus example, as written, from this folder with relative paths.
awk '/--menus FILE. gives it/ { found = 1 } found && /^```$/ { if (inside) exit; inside = 1; next } inside' \
  "$root/README.md" > readme-menus.txt
grep -q '^item\* 1001' readme-menus.txt
env -u DISPLAY KIRABO_SCREENSHOT=host.png "$root/run" --menus readme-menus.txt --ini host.ini >/dev/null
identify host.png

env -u DISPLAY "$root/run" --screenshots shots >/dev/null
for name in palette-1-column palette-2-columns palette-3-columns palette-tabs-second reorder-dialog reset-question \
  reorder-hidden-row palette-hidden-row; do
  identify "shots/$name.png"
done
# Each state looks different from the others.
[ "$(md5sum shots/*.png | cut -d' ' -f1 | sort -u | wc -l)" = 8 ]

# Failed runs: what ./run says, its status, no image, no "screenshot:" line, and no hang (a
# display that is gone, --quit-after sooner than the picture, options in either order).
printf 'menu 1 x\nhello\n' > bad.txt
while IFS='|' read -r expected message display options; do
  status=0 && read -ra screen <<<"$display" && read -ra extra <<<"$options"
  env "${screen[@]}" KIRABO_SCREENSHOT=failed.png timeout 60 "$root/run" "${extra[@]}" >out.txt 2>err.txt || status=$?
  [ "$status" = "$expected" ] && grep -qF -- "$message" err.txt && [ ! -e failed.png ] && ! grep -q screenshot out.txt ||
    { echo "./run $options ($display): status $status (expected $expected)"; cat out.txt err.txt; fail=1; }
done <<ROWS
2|bad.txt:2: unknown word "hello"|-u DISPLAY|--menus bad.txt
1|the display :7913 cannot be opened|DISPLAY=:7913|--quit-after 600000
1|no screenshot written|-u DISPLAY|--quit-after 500
2|--screenshots takes no other option|-u DISPLAY|--screenshots s2 --menus bad.txt
2|--screenshots takes no other option|-u DISPLAY|--menus bad.txt --screenshots s3
ROWS

# A live ./run outlives a ./test beside it; after its SIGTERM nothing it started is left.
source "$root/scripts/x11-helpers"
"$root/run" --quit-after 300000 > >(cat >/dev/null; touch run.closed) 2>&1 &
run=$!
wait_for 'キラボ' >/dev/null
"$root/test" -R win32.scan_test >/dev/null && kill -0 "$run" && [ "$(windows_named 'キラボ')" -gt 0 ] ||
  { echo "./test beside a live ./run failed or ended it"; fail=1; }
kill -TERM "$run"
for _ in $(seq 1 100); do [ -e run.closed ] && break; sleep 0.1; done
[ -e run.closed ] && ! grep -q "kirabo-wine-$run" /proc/[0-9]*/environ 2>/dev/null ||
  { echo "after its SIGTERM, something ./run started is still there"; fail=1; }

# The host's answers: status | what it says | the menu file (printf text; "-" for none) | options.
mkdir folder
touch read-only.ini && chmod 444 read-only.ini
while IFS='|' read -r expected message text options; do
  args=(--ini "$work/t.ini" --quit-after 1)
  if [ "$text" != - ]; then
    printf -- "$text" > m.txt
    args+=(--menus "$work/m.txt")
  fi
  read -ra extra <<<"$options"
  status=0
  said=$("$root/scripts/wine-run" "$root/build/windows/kirabo-host.exe" "${args[@]}" "${extra[@]}" 2>&1 >/dev/null) ||
    status=$?
  said=${said//$'\r'/}
  if [ "$status" != "$expected" ] || ! grep -qF -- "$message" <<<"$said"; then
    echo "menus '$text' options '$options': status $status (expected $expected), said: $said"
    fail=1
  fi
done <<ROWS
0||\xEF\xBB\xBFmenu 1 F\nitem 1 A  # a comment may hold \xC2\xB7, which Shift-JIS cannot write\n|
0||menu 1 F\nitem 1 C#\n|
2|m.txt:2: unknown word "hello"|menu 1 F\nhello\n|
2|m.txt:1: item before the first menu line|item 1 A\n|
2|m.txt:3: item id 1 is already given on line 2|menu 1 F\nitem 1 A\nitem 1 B\n|
2|m.txt:3: menu 1 is already given on line 1|menu 1 F\nitem 1 A\nmenu 1 G\n|
2|m.txt:2: not UTF-8 text|menu 1 F\nitem 1 \x82\xa0\n|
2|m.txt:2: a character Shift-JIS cannot write|menu 1 F\nitem 1 \xC2\xB7\n|
2|m.txt:2: not text|menu 1 F\n\x01\x02\x03\n|
2|m.txt: UTF-16 text: save it as UTF-8|\xFF\xFEm\x00e\x00n\x00u\x00 \x001\x00|
2|m.txt:1: menu 1 has no title|menu 1\nitem 1 A\n|
2|m.txt:2: item needs an id|menu 1 F\nitem 0 A\n|
2|m.txt: no filter or display tool||
2|m.txt: no filter or display tool|menu 7 Other\nitem 1 A\n|
2|missing.txt: not found|-|--menus $work/missing.txt
2|--menus needs a file|-|--menus
2|--quit-after needs a number|-|--quit-after abc
2|--quit-after needs a number|-|--quit-after 12abc
0||-|--filters 1000
2|--filters and --menus both give the host's menus|menu 1 F\nitem 1 A\n|--filters 300
1|missing.auf: not found|-|--plugin $work/missing.auf
1|its folder does not exist|-|--ini $work/no-folder/host.ini
1|is a folder|-|--ini $work/folder
1|cannot be written|-|--ini $work/read-only.ini
ROWS
exit $fail
