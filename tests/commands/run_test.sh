#!/usr/bin/env bash
# The README's ./run commands: --help, the headless screenshot of the README's own menu example
# (its settings kept) and --screenshots DIR, both with paths given from another folder; failed
# runs that write no image and never hang; a live ./run beside ./test, its palette above the host,
# stopped by kill or Ctrl+C and writing its settings; the host's answers to bad input.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/scripts/x11-helpers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export TMPDIR="$work/tmp" && mkdir "$TMPDIR"  # which every command run here leaves empty, however it ends
fail=0

help=$("$root/run" --help)
for option in "usage: ./run" --plugin --menus --ini --quit-after --screenshots --help KIRABO_SCREENSHOT; do
  grep -q -- "$option" <<<"$help" || { echo "./run --help does not list $option"; exit 1; }
done

# The README's --menus example, as written, from this folder with relative paths.
awk '/--menus FILE. gives it/ { found = 1 } found && /^```$/ { if (inside) exit; inside = 1; next } inside' \
  "$root/README.md" > readme-menus.txt
grep -q '^item\* 1001' readme-menus.txt
printf '[キラボ]\r\nColumn=3\r\n' | iconv -f UTF-8 -t CP932 > host.ini
touch fresh
env -u DISPLAY KIRABO_SCREENSHOT=host.png "$root/run" --menus readme-menus.txt --ini host.ini >/dev/null
identify host.png
[ "$(stat -c %a host.png)" = "$(stat -c %a fresh)" ] || { echo "host.png: mode $(stat -c %a host.png)"; exit 1; }
# The host closed as a user closes it: what it read is written back, with the rows.
[ "$(iconv -f CP932 -t UTF-8 host.ini | tr -d '\r' | grep -c -E '^(\[キラボ\]|Column=3|FilterSize=[1-9])$')" = 3 ] ||
  { echo "a headless ./run did not keep its settings"; exit 1; }

said=$(env -u DISPLAY "$root/run" --screenshots shots)
# The pictures --help names are those written, each said with its path, each state unlike the others.
names=$(sed -n '/--screenshots DIR/,/^[^ ]/{/^ /p}' <<<"$help" | grep -oE '[a-z0-9-]+\.png')
[ "$(sort <<<"$names")" = "$(ls shots)" ] || { echo "--help names $names; written: $(ls shots)"; exit 1; }
for name in $names; do identify "shots/$name"; grep -qx "screenshot: $work/shots/$name" <<<"$said"; done
[ "$(md5sum shots/*.png | cut -d' ' -f1 | sort -u | wc -l)" = "$(wc -l <<<"$names")" ]
# No time in them: the same pixels give the same committed file.
if grep -l -a -E 'tIME|date:' shots/*.png; then echo "a time written in these"; exit 1; fi

# Failed runs: what ./run says, its status, no image, no "screenshot:" line, and no hang (a
# display that is gone, --quit-after sooner than the picture, options in either order).
printf 'menu 1 x\nhello\n' > bad.txt
touch read-only.ini && chmod 444 read-only.ini
while IFS='|' read -r expected message display options; do
  status=0 && read -ra screen <<<"$display" && read -ra extra <<<"$options"
  env "${screen[@]}" KIRABO_SCREENSHOT=failed.png timeout "$(time_limit 60)" "$root/run" "${extra[@]}" >out.txt 2>err.txt || status=$?
  [ "$status" = "$expected" ] && grep -qF -- "$message" err.txt && [ ! -e failed.png ] && ! grep -q screenshot out.txt ||
    { echo "./run $options ($display): status $status (expected $expected)"; cat out.txt err.txt; fail=1; }
done <<ROWS
2|bad.txt:2: unknown word "hello"|-u DISPLAY|--menus bad.txt
1|the display :7913 cannot be opened|DISPLAY=:7913|--quit-after 600000
1|no screenshot written|-u DISPLAY|--quit-after 500
2|--screenshots takes no other option|-u DISPLAY|--screenshots s2 --menus bad.txt
2|--screenshots takes no other option|-u DISPLAY|--menus bad.txt --screenshots s3
2|./run: unknown option --bogus|-u DISPLAY|--bogus
1|read-only.ini: settings cannot be kept there: cannot be written|-u DISPLAY|--ini read-only.ini
1|/作業/x.ini: settings cannot be kept there: its folder does not exist|-u DISPLAY|--ini 作業/x.ini
1|/proc/kirabo.ini: settings cannot be kept there: cannot be written|DISPLAY=$DISPLAY|--ini /proc/kirabo.ini
ROWS

# A live ./run outlives a ./test beside it, which takes relative paths from its caller's folder
# and fails on a filter that names no test. The palette stays above the host clicked. Stopped by
# kill or by Ctrl+C (each sent to its process group, as a terminal sends Ctrl+C), ./run closes the
# host as a user does, so the settings are written, and leaves nothing it started behind.
palette_shown() {
  eval "$(xdotool getwindowgeometry --shell "$palette")"
  import -window root -crop "${WIDTH}x$((HEIGHT - 24))+$X+$((Y + 24))" "$1"
}
for signal in TERM INT; do
  rm -f run.closed live.ini
  exec 3> >(cat >/dev/null; touch run.closed)
  set -m
  "$root/run" --ini live.ini --quit-after 300000 >&3 2>&1 &
  run=$!
  set +m
  exec 3>&-
  palette=$(wait_for 'キラボ')
  if [ "$signal" = TERM ]; then
    "$root/test" -R win32.scan_test --output-junit junit.xml >/dev/null && kill -0 "$run" &&
      [ "$(windows_named 'キラボ')" -gt 0 ] && [ -s junit.xml ] ||
      { echo "./test beside a live ./run failed, ended it or wrote no junit.xml here"; fail=1; }
    said=$("$root/test" -R nosuchtest 2>&1) && { echo "./test -R nosuchtest passed"; fail=1; }
    grep -q 'ctest --test-dir .* -N` lists them' <<<"$said" || { echo "./test -R nosuchtest: $said"; fail=1; }
    wait_still && palette_shown before.png
    activate "$(wait_for 'AviUtl')" && wait_still && palette_shown after.png
    [ "$(compare -metric AE before.png after.png null: 2>&1)" = 0 ] ||
      { echo "a click on the host's title bar hid the palette"; fail=1; }
  fi
  kill "-$signal" -- "-$run"
  wait_until 30 "./run to end after its SIG$signal" test -e run.closed &&
    ! grep -q "kirabo-wine-$run/" /proc/[0-9]*/environ 2>/dev/null ||
    { echo "after its SIG$signal, something ./run started is still there"; fail=1; }
  iconv -f CP932 -t UTF-8 live.ini | grep -q '^FilterSize=[1-9]' ||
    { echo "stopped by SIG$signal, ./run did not write its settings"; fail=1; }
done
# A headless ./run and a ./test, stopped while Wine runs, leave nothing behind either.
for command in "run --quit-after 300000" "test -R win32.scan_test"; do
  setsid env -u DISPLAY "$root"/$command >/dev/null 2>&1 &
  wait_until 60 "./$command to start Wine" compgen -G "$TMPDIR/kirabo-wine-$!/tmp/wine-*" >/dev/null || fail=1
  kill -TERM -- "-$!" && wait "$!" || true
done
[ -z "$(ls -A "$TMPDIR")" ] || { echo "stopped runs of ./run and ./test left $(ls -A "$TMPDIR")"; fail=1; }

# The host's answers: status | what it says | the menu file (printf text; "-" for none) | options.
mkdir folder
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
