#!/usr/bin/env bash
# The README's ./run commands: --help, the headless screenshot, and --screenshots DIR.
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

help=$(./run --help)
for option in --plugin --menus --ini --quit-after --screenshots --help; do
  grep -q -- "$option" <<<"$help" || { echo "./run --help does not list $option"; exit 1; }
done

env -u DISPLAY KIRABO_SCREENSHOT="$work/host.png" ./run >/dev/null
identify "$work/host.png"

env -u DISPLAY ./run --screenshots "$work/shots" >/dev/null
for name in palette-1-column palette-2-columns palette-3-columns palette-tabs-second reorder-dialog reset-question \
  reorder-hidden-row palette-hidden-row; do
  identify "$work/shots/$name.png"
done
# Each state looks different from the others.
[ "$(md5sum "$work"/shots/*.png | cut -d' ' -f1 | sort -u | wc -l)" = 8 ]
