#!/usr/bin/env bash
# Runs every core test program of a Windows cross build under wine, in a
# wine prefix of its own inside the build directory. One wineserver is kept
# for the whole run, so that each program does not pay wine's start-up.
# Prints each program's test counts (run, passed, skipped) and fails on any
# failed test or program that does not end cleanly.
#
# usage: scripts/run-windows-tests.sh BUILD_DIR
set -euo pipefail

build=$(cd "${1:?usage: run-windows-tests.sh BUILD_DIR}" && pwd)

find_tool() {
    for candidate in "$@"; do
        if command -v "$candidate" >/dev/null 2>&1; then command -v "$candidate"; return 0; fi
        if [ -x "/usr/lib/wine/$candidate" ]; then echo "/usr/lib/wine/$candidate"; return 0; fi
    done
    return 1
}
wine=$(find_tool wine64 wine) || { echo "wine fehlt (Paket wine64)"; exit 1; }
wineserver=$(find_tool wineserver64 wineserver) || { echo "wineserver fehlt (Paket wine64)"; exit 1; }

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko wanted: nothing asks to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# Wine turns Windows file names into the system's ones by the locale's
# character set; without a UTF-8 locale (a bare system sets none) a name
# with an umlaut cannot be made and the tests that save "Prüfung.txt" fail.
# C.UTF-8 is part of every Debian system.
export LC_ALL=C.UTF-8

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Wine-Umgebung wird angelegt: $WINEPREFIX"
    "$wine" wineboot --init >/dev/null 2>&1 || true
    "$wineserver" -w
fi
[ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot hat keine Wine-Umgebung angelegt"; exit 1; }

"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT

logs="$build/wine-logs"
rm -rf "$logs"
mkdir -p "$logs"
status=0
total=0
mapfile -t programs < <(find "$build/src" "$build/tests" -name '*.exe' | sort)
[ "${#programs[@]}" -gt 0 ] || { echo "Keine Testprogramme in $build"; exit 1; }
for exe in "${programs[@]}"; do
    name=$(basename "$exe" .exe)
    log="$logs/$name.log"
    start=$(date +%s)
    # Each program starts in its own folder, as ctest starts it.
    if (cd "$(dirname "$exe")" && "$wine" "$exe" --gtest_brief=1) >"$log" 2>&1; then rc=0; else rc=$?; fi
    ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$log" | tail -1)
    passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -1)
    skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
    printf '%-28s %4s Tests, %4s bestanden, %3s übersprungen, %3s s\n' "$name" "${ran:-?}" \
        "${passed:-0}" "${skipped:-0}" "$(( $(date +%s) - start ))"
    total=$(( total + ${ran:-0} ))
    if [ "$rc" -ne 0 ] || [ -z "$ran" ] || [ "${passed:-0}" -ne $(( ran - ${skipped:-0} )) ]; then
        echo "--- $name FEHLGESCHLAGEN (Ende $rc):"
        grep -E -B2 -A12 'Failure$|^\[  FAILED' "$log" | head -80 || tail -n 40 "$log"
        status=1
    fi
done
echo "Unter wine: ${#programs[@]} Programme, $total Tests"
exit $status
