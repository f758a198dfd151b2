#!/usr/bin/env bash
# Start-up benchmark: time from exec until the window is mapped, and peak
# RSS, for Marrowvale, a bare Qt window of the same size (empty, and with one
# line edit, which makes Qt load fonts before the window appears) and xcalc,
# measured interleaved in one run on a private Xvfb. Prints medians and ratios.
# Then, where a Windows build has been made, Marrowvale.exe and a bare Win32
# window (empty, and with one EDIT control) under Wine the same way, and the
# stripped size of Marrowvale.exe.
# Usage: bench/startup.sh [build-dir] [rounds]
# The Windows build is build/windows, or MARROWVALE_WINDOWS_BUILD if set.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
rounds=${2:-21}
timer=$build/bench/map-timer
programs=("$build/qt/marrowvale" "$build/bench/bare-window" "$build/bench/bare-window --line-edit" "$(command -v xcalc)")
names=(marrowvale bare-qt-window bare-with-line-edit xcalc)
for p in "$timer" "$build/qt/marrowvale" "$build/bench/bare-window"; do
    [ -x "$p" ] || { echo "missing $p (build with benchmarks on)"; exit 1; }
done

# No window manager: the timer hears MapNotify on the root, which only
# top-level windows that are children of the root send.
source scripts/lib/x-session.sh
work=$(mktemp -d)
trap 'stopXSession; rm -rf "$work"' EXIT
startXvfb "$work"

# One warm-up each, so that no program pays for a cold file cache alone.
for p in "${programs[@]}"; do $timer 100 $p >/dev/null 2>&1; done
for round in $(seq "$rounds"); do
    for i in "${!programs[@]}"; do
        $timer 150 ${programs[$i]} >>"$work/${names[$i]}" 2>/dev/null
    done
done

median() { sort -n | awk '{v[NR]=$1} END{print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
printf "%-20s %12s %14s\n" program "map ms" "peak RSS KiB"
for name in "${names[@]}"; do
    ms=$(cut -d' ' -f1 "$work/$name" | median)
    rss=$(cut -d' ' -f2 "$work/$name" | median)
    printf "%-20s %12s %14s\n" "$name" "$ms" "$rss"
    eval "ms_${name//-/_}=$ms rss_${name//-/_}=$rss"
done
echo "medians of $rounds interleaved rounds"
awk -v a="$ms_marrowvale" -v b="$ms_bare_qt_window" -v c="$rss_marrowvale" -v d="$rss_bare_qt_window" \
    -v e="$ms_bare_with_line_edit" -v f="$rss_bare_with_line_edit" \
    'BEGIN{printf "marrowvale / bare Qt window: start-up %.2f, peak RSS %.2f\n", a/b, c/d;
           printf "marrowvale / bare window with a line edit: start-up %.2f, peak RSS %.2f\n", a/e, c/f}'

# Under Wine: Marrowvale.exe beside a bare Win32 window of the same size, on
# the same display, still without a window manager.
winBuild=${MARROWVALE_WINDOWS_BUILD:-build/windows}
exe=$winBuild/win32/Marrowvale.exe
bareExe=$winBuild/bench/bare-win32-window.exe
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
for p in "$exe" "$bareExe" "$wine" "$wineserver"; do
    [ -e "$p" ] || { echo "no Wine figures: missing $p (scripts/build-windows builds it, with MARROWVALE_BENCH on)"; exit 0; }
done
# The prefix scripts/test-windows made, and its settings.
winePrefix=$(cd "$winBuild" && pwd)/wine-prefix
export WINEPREFIX=$winePrefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
trap '"$wineserver" -k 2>/dev/null || true; stopXSession; rm -rf "$work"' EXIT
# explorer.exe stays on the display it started on, so a server of this
# prefix left running elsewhere goes first. The new one is started before
# the first round and kept running with its services, so that no start pays
# for them.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
"$wineserver" -p
"$wine" wineboot >"$work/wineboot.log" 2>&1 || { echo "wineboot failed:"; tr -d '\r' <"$work/wineboot.log"; exit 1; }
wineTimer() { # settle-ms program [arguments]
    local settle=$1
    shift
    timeout 60 "$timer" "$settle" "$wine" "$@" \
        || { echo "waited 60 s for $* under Wine to map a window; map-timer ended with status $?" >&2; exit 1; }
}
# The bare window with one EDIT control is to the Win32 figures what the
# bare Qt window with one line edit is to the Linux ones: the first control
# loads version 6 of the common controls, which the manifest asks for.
winePrograms=("$exe" "$bareExe" "$bareExe --edit")
wineNames=(exe bare-exe bare-exe-edit)
# The warm-up also brings up explorer.exe, which the first window of a
# server starts.
for p in "${winePrograms[@]}"; do wineTimer 100 $p >/dev/null; done
for _ in $(seq "$rounds"); do
    for i in "${!winePrograms[@]}"; do
        wineTimer 150 ${winePrograms[$i]} >>"$work/${wineNames[$i]}"
    done
done
echo
printf "%-28s %12s %14s\n" "program under Wine" "map ms" "peak RSS KiB"
for i in "${!wineNames[@]}"; do
    name=${wineNames[$i]}
    ms=$(cut -d' ' -f1 "$work/$name" | median)
    rss=$(cut -d' ' -f2 "$work/$name" | median)
    printf "%-28s %12s %14s\n" "$(basename "${winePrograms[$i]}")" "$ms" "$rss"
    eval "ms_${name//-/_}=$ms rss_${name//-/_}=$rss"
done
echo "medians of $rounds interleaved rounds"
awk -v a="$ms_exe" -v b="$ms_bare_exe" -v c="$rss_exe" -v d="$rss_bare_exe" -v e="$ms_bare_exe_edit" \
    -v f="$rss_bare_exe_edit" \
    'BEGIN{printf "Marrowvale.exe / bare Win32 window: start-up %.2f, peak RSS %.2f\n", a/b, c/d;
           printf "Marrowvale.exe / bare Win32 window with an EDIT control: start-up %.2f, peak RSS %.2f\n", a/e, c/f}'
x86_64-w64-mingw32-strip -o "$work/stripped.exe" "$exe"
size=$(stat -c %s "$work/stripped.exe")
echo "Marrowvale.exe stripped: $size bytes ($(( (size + 1023) / 1024 )) KiB)"
