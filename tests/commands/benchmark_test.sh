#!/usr/bin/env bash
# ./benchmark, called from another folder, still runs and prints its figures and its goal lines
# (once, small; no timing is judged here).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out=$(cd /tmp && env -u DISPLAY "$root/benchmark" --smoke)
echo "$out"
for figure in Merge_100_us Geometry_100_us Drop_100_us KeyMove_100_us init_overhead_ratio_100 \
  init_overhead_ratio_100_medians relayout_overhead_ratio_100 find_reading_over_kana_300 dll_bytes; do
  grep -q "^$figure: [0-9]" <<<"$out" || { echo "no $figure"; exit 1; }
done
grep -qE '^goal dll_bytes <= 307200: (met|missed) \([0-9]+\)$' <<<"$out"
