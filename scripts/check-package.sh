#!/usr/bin/env bash
# The delivery step of `make ci`, on a configured and built package build
# (cmake --preset package):
#  1. a one-iteration smoke run of every benchmark program;
#  2. cmake --install into a DESTDIR staging folder: the program, the menu
#     entry (checked with desktop-file-validate) and the icons in place;
#  3. cpack builds the .deb; its control data declares the Qt libraries (from
#     dpkg-shlibdeps) and the platform plugins and fonts; it holds the same
#     files; apt-get --simulate accepts it for installation on this system
#     (all its dependencies can be satisfied);
#  4. the staged program and the program unpacked from the .deb each start
#     on the offscreen platform with no library missing, are still running
#     after START_SECONDS, and end on SIGTERM within the grace time: exit
#     status 124 from `timeout`. Ending by itself, a crash (status 128 + signal)
#     or a hang on SIGTERM (status 137 after the KILL) fails.
#
# usage: scripts/check-package.sh BUILD_DIR
set -euo pipefail

build=$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)
START_SECONDS=${START_SECONDS:-5}
work="$build/package-check"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "Paketprüfung fehlgeschlagen: $*"; exit 1; }

echo "--- benchmarks, one round each"
for b in "$build/bench/hk_bench" "$build/bench/hk_report_bench" "$build/bench/hk_gui_bench" \
         "$build/src/project/bench/project_file_bench"; do
    [ -x "$b" ] || continue
    "$b" --benchmark_min_time=0 >"$work/$(basename "$b").log" 2>&1 ||
        { cat "$work/$(basename "$b").log"; fail "$(basename "$b") endet mit Fehler"; }
    if grep -q "ERROR OCCURRED" "$work/$(basename "$b").log"; then
        cat "$work/$(basename "$b").log"; fail "$(basename "$b") meldet einen Fehler"
    fi
    echo "$(basename "$b"): $(grep -c '^BM_' "$work/$(basename "$b").log") benchmarks ran"
done

echo "--- cmake --install into a staging folder"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" >"$work/install.log"
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
files=(bin/hkberech share/applications/hkberech.desktop
       share/icons/hicolor/scalable/apps/hkberech.svg share/hkberech/heizkoerper.csv)
for s in 16 32 48 64 128 256; do files+=("share/icons/hicolor/${s}x${s}/apps/hkberech.png"); done
for f in "${files[@]}"; do
    [ -f "$stage$prefix/$f" ] || fail "$prefix/$f fehlt nach cmake --install"
done
desktop-file-validate "$stage$prefix/share/applications/hkberech.desktop" ||
    fail "hkberech.desktop ist ungültig"
echo "${#files[@]} files in $prefix"

echo "--- cpack -G DEB"
(cd "$build" && rm -f ./*.deb && cpack -G DEB >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$build"/hkberech_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for d in libqt6core6 libqt6widgets6 libqt6printsupport6 libqt6charts6 libstdc++6 \
         qt6-qpa-plugins fonts-liberation; do
    grep -qxF "$d" <<<"$names" || fail "$d fehlt in Depends"
done
dpkg-deb -c "$deb" >"$work/contents.txt"
for f in "${files[@]}"; do
    grep -q " \./usr/$f\$" "$work/contents.txt" || fail "/usr/$f fehlt im Paket"
done
if grep -q '\.so' "$work/contents.txt"; then
    grep '\.so' "$work/contents.txt"; fail "das Paket enthält eine Bibliothek oder ein Modul"
fi
apt-get install --simulate --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get lehnt das Paket ab"; }
grep -q '^Inst hkberech' "$work/apt.log" || { cat "$work/apt.log"; fail "apt-get installiert es nicht"; }
echo "$(basename "$deb"): $(wc -l <"$work/contents.txt") entries, installable"

echo "--- start on the offscreen platform"
extract="$work/deb"
dpkg-deb -x "$deb" "$extract"
for bin in "$stage$prefix/bin/hkberech" "$extract/usr/bin/hkberech"; do
    if ldd "$bin" | grep -q "not found"; then
        ldd "$bin"; fail "$bin: Bibliothek fehlt"
    fi
    set +e
    QT_QPA_PLATFORM=offscreen timeout -s TERM -k 5 "$START_SECONDS" "$bin" >"$work/run.log" 2>&1
    rc=$?
    set -e
    case $rc in
        124) echo "$bin: running after $START_SECONDS s, ended on SIGTERM" ;;
        137) cat "$work/run.log"; fail "$bin endet auf SIGTERM nicht (KILL nötig)" ;;
        *) cat "$work/run.log"; fail "$bin endet nach weniger als $START_SECONDS s mit Status $rc" ;;
    esac
done
