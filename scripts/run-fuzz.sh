#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time, starting
# from its committed seeds in fuzz/corpus/<target>/. New inputs go to a
# scratch corpus in the build directory, so the committed seeds stay as they
# are. Fails on any crash, sanitizer report, leak, hang (-timeout) or failed
# check of a target (the targets trap on a broken property).
#
# usage: scripts/run-fuzz.sh BUILD_DIR [SECONDS_PER_TARGET]
set -euo pipefail

build=${1:?usage: run-fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-40}
src=$(cd "$(dirname "$0")/.." && pwd)
list="$build/fuzz-targets.txt"
[ -f "$list" ] || { echo "Keine Fuzz-Ziele in $build (cmake --preset fuzz fehlt?)"; exit 1; }

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

status=0
while read -r target; do
    [ -n "$target" ] || continue
    bin="$build/fuzz/$target"
    seeds="$src/fuzz/corpus/$target"
    work="$build/fuzz-work/$target"
    artifacts="$build/fuzz-artifacts/$target"
    rm -rf "$work"
    mkdir -p "$work" "$artifacts"
    [ -x "$bin" ] || { echo "$target: Programm fehlt ($bin)"; status=1; continue; }
    [ -d "$seeds" ] || { echo "$target: Startkorpus fehlt ($seeds)"; status=1; continue; }
    dict=()
    [ -f "$src/fuzz/$target.dict" ] && dict=(-dict="$src/fuzz/$target.dict")
    log="$build/fuzz-artifacts/$target.log"
    echo "--- $target: ${seconds} s from $(ls "$seeds" | wc -l) seeds"
    if "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "${dict[@]}" "$work" "$seeds" >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | tr '\n' ' '
        echo "cov/ft: $(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)"
    else
        echo "$target: FEHLER (exit $?), log: $log, artifacts: $artifacts"
        tail -n 60 "$log"
        status=1
    fi
done <"$list"
exit $status
