#!/usr/bin/env bash
# Says whether hkberech starts worse than the recorded figures: runs
# scripts/startup-figures.sh and compares its two ratios to the bare Qt window
# (first paint, peak memory) with those in bench/startup/baseline. Ratios, not
# milliseconds, because the bare window measured in turns carries the load of
# the shared machine. Exits 1 when either ratio is more than 5 % above its
# recorded value, 0 otherwise; 2 when the figures could not be taken.
#
# usage: scripts/startup-check.sh [BUILD_DIR] [RUNS]
#   BUILD_DIR defaults to build/release (targets hkberech bare_window first_paint)
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
baseline="$here/../bench/startup/baseline"
build=${1:-build/release}
runs=${2:-15}
tolerance=1.05

out=$("$here/startup-figures.sh" "$build" "$runs" 1.0) || { echo "$out"; exit 2; }
echo "$out"
line=$(grep '^ratios: ' <<<"$out") || { echo "no ratios in the output"; exit 2; }
paint=$(sed -n 's/.*paint=\([0-9.]*\).*/\1/p' <<<"$line")
rss=$(sed -n 's/.*rss=\([0-9.]*\).*/\1/p' <<<"$line")
base_paint=$(awk '$1 == "paint" { print $2 }' "$baseline")
base_rss=$(awk '$1 == "rss" { print $2 }' "$baseline")
[ -n "$paint" ] && [ -n "$rss" ] && [ -n "$base_paint" ] && [ -n "$base_rss" ] ||
    { echo "figures or baseline incomplete"; exit 2; }

awk -v p="$paint" -v r="$rss" -v bp="$base_paint" -v br="$base_rss" -v t="$tolerance" 'BEGIN {
    worse = 0
    printf "first paint %.3f against recorded %.3f (limit %.3f)\n", p, bp, bp * t
    printf "peak memory %.3f against recorded %.3f (limit %.3f)\n", r, br, br * t
    if (p > bp * t) { print "first paint: more than 5 % worse than recorded"; worse = 1 }
    if (r > br * t) { print "peak memory: more than 5 % worse than recorded"; worse = 1 }
    if (!worse) print "start-up within 5 % of the recorded figures"
    exit worse
}'
