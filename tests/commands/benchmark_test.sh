#!/usr/bin/env bash
# ./benchmark still runs and prints its figures (once, small; no timing is judged here).
set -euo pipefail
cd "$(dirname "$0")/../.."
out=$(env -u DISPLAY ./benchmark --smoke)
echo "$out"
for figure in Merge_100_us Geometry_100_us Drop_100_us KeyMove_100_us init_overhead_ratio_100 relayout_overhead_ratio_100 dll_bytes; do
  grep -q "^$figure: [0-9]" <<<"$out" || { echo "no $figure"; exit 1; }
done
