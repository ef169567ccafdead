#!/usr/bin/env bash
# Start-up figures of hkberech beside a bare Qt window built in the same tree:
# time from the fork to the first window being mapped and to its first
# painted pixels, and peak memory (maximum resident set size).
#
# Method: a private Xvfb with a black root window and no window manager.
# bench/startup/first_paint forks the program, waits for the first MapNotify
# of a top-level window on the root, then reads the window's pixels back every
# half millisecond until one is not black: that is the first paint on screen.
# It holds the program for HOLD seconds more, then ends it with SIGTERM. The
# whole run stands under /usr/bin/time -v, whose "Maximum resident set size"
# is the larger of the watcher (a few MB) and the program. hkberech is
# measured from the outside only; the bare window also reports the time of
# its first paintEvent (a build option of that program alone), as a check
# that the pixel watch sees the paint a moment after it happens.
# One warm-up run per program (page cache), then RUNS runs taken in turns
# (bare window, hkberech, bare window, ...); medians.
#
# usage: scripts/startup-figures.sh [BUILD_DIR] [RUNS] [HOLD]
#   BUILD_DIR defaults to build/release (cmake --preset release; build the
#   targets hkberech bare_window first_paint)
set -euo pipefail

build=${1:-build/release}
runs=${2:-9}
hold=${3:-1.0}
watch="$build/bench/first_paint"
bare="$build/bench/bare_window/bare_window"
prog="$build/src/app/hkberech"
for f in "$watch" "$bare" "$prog" /usr/bin/time; do
    [ -x "$f" ] || { echo "missing: $f"; exit 1; }
done
command -v Xvfb >/dev/null || { echo "missing: Xvfb (apt-get install xvfb)"; exit 1; }

display=""
for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display number"; exit 1; }
tmp=$(mktemp -d)
Xvfb "$display" -screen 0 1280x1024x24 -br -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 1 100); do
    xwininfo -root -display "$display" >/dev/null 2>&1 && break
    sleep 0.05
done
export DISPLAY=$display
export QT_QPA_PLATFORM=xcb

median() { sort -n | awk '{ a[NR] = $1 } END { if (NR % 2) print a[(NR + 1) / 2]; else printf "%.1f\n", (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

one_run() { # name program: one run, its figures appended to the name's lists
    local name=$1 bin=$2 out start hook
    /usr/bin/time -v -o "$tmp/time" "$watch" --hold "$hold" -- "$bin" >"$tmp/out" 2>"$tmp/err"
    out=$(cat "$tmp/out")
    grep -o 'map_ms=[0-9.]*' <<<"$out" | cut -d= -f2 >>"$tmp/$name.map"
    grep -o 'paint_ms=[0-9.]*' <<<"$out" | cut -d= -f2 >>"$tmp/$name.paint"
    grep 'Maximum resident set size' "$tmp/time" | awk '{ print $NF }' >>"$tmp/$name.rss"
    start=$(grep -o 'start_ns=[0-9]*' <<<"$out" | cut -d= -f2)
    hook=$(grep -o 'first-paint-monotonic-ns [0-9]*' "$tmp/err" | awk '{ print $2 }' || true)
    if [ -n "$hook" ]; then
        awk -v h="$hook" -v s="$start" 'BEGIN { printf "%.1f\n", (h - s) / 1e6 }' >>"$tmp/$name.hook"
    fi
}

medians() { # name: map, first paint, max RSS and own paint medians
    local name=$1
    printf '%s %s %s %s\n' "$(median <"$tmp/$name.map")" "$(median <"$tmp/$name.paint")" \
        "$(median <"$tmp/$name.rss")" "$( [ -s "$tmp/$name.hook" ] && median <"$tmp/$name.hook" || echo -)"
}

# The two programs take turns, so that a change in the machine's load
# falls on both alike; the first turn warms the page cache and is dropped.
for i in $(seq 0 "$runs"); do
    for name in bare hkberech; do
        bin=$bare; [ "$name" = hkberech ] && bin=$prog
        one_run "$name" "$bin"
        if [ "$i" = 0 ]; then
            rm -f "$tmp/$name".*
        fi
    done
done
read -r bmap bpaint brss bhook < <(medians bare)
read -r hmap hpaint hrss _ < <(medians hkberech)

echo "runs: $runs (after one warm-up each), hold: $hold s, display $display (Xvfb 1280x1024x24)"
printf '%-12s %12s %14s %14s %18s\n' program "map (ms)" "1st paint (ms)" "max RSS (kB)" "own paintEvent (ms)"
printf '%-12s %12s %14s %14s %18s\n' bare_window "$bmap" "$bpaint" "$brss" "$bhook"
printf '%-12s %12s %14s %14s %18s\n' hkberech "$hmap" "$hpaint" "$hrss" "-"
awk -v hp="$hpaint" -v bp="$bpaint" -v hr="$hrss" -v br="$brss" \
    'BEGIN { printf "ratio hkberech / bare window: first paint %.2f, max RSS %.2f\n", hp / bp, hr / br }'
# One line for scripts/startup-check.sh: the two ratios, more digits.
awk -v hp="$hpaint" -v bp="$bpaint" -v hr="$hrss" -v br="$brss" \
    'BEGIN { printf "ratios: paint=%.3f rss=%.3f\n", hp / bp, hr / br }'
