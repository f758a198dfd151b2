#!/usr/bin/env bash
# Start-up benchmark, as a person sees it: for each program the time from
# exec until its window is mapped, until the window's pixels have settled
# (see bench/MapTimer.cpp), and its peak RSS, measured interleaved in one run
# on a private Xvfb without a window manager. First Marrowvale beside a bare
# Qt window of the same size (empty, and with one line edit, which makes Qt
# load fonts before the window appears) and xcalc; then, where a Windows
# build has been made, Marrowvale.exe beside a bare Win32 window (empty, and
# with one EDIT control) under Wine, and the stripped size of Marrowvale.exe.
# Each part ends with its table in Markdown: medians, and Marrowvale's ratio
# to each yardstick on mapped and on settled (the median of each round's
# ratio), and the load average before
# and after the part, to tell a quiet run from a busy one.
# Usage: bench/startup.sh [build-dir] [rounds]
# The Windows build is build/windows, or MARROWVALE_WINDOWS_BUILD if set.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
rounds=${2:-21}
timer=$build/bench/map-timer
# How long each window is watched after its map; settled is judged against
# the last second of it.
watchMs=2000
for p in "$timer" "$build/qt/marrowvale" "$build/bench/bare-window"; do
    [ -x "$p" ] || { echo "missing $p (build with benchmarks on)"; exit 1; }
done

# No window manager: the timer hears MapNotify on the root, which only
# top-level windows that are children of the root send.
source scripts/lib/x-session.sh
work=$(mktemp -d)
trap 'stopXSession; rm -rf "$work"' EXIT
startXvfb "$work"
# An X server resets when its last client leaves, and refuses connections
# while it does: one client stays connected for the whole run, so that no
# program starts on a server in the middle of a reset.
xprop -root -spy >/dev/null 2>&1 &
keeper=$!
trap 'kill "$keeper" 2>/dev/null; stopXSession; rm -rf "$work"' EXIT

median() { sort -g | awk '{v[NR]=$1} END{print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

loadAverage() { cut -d' ' -f1-3 /proc/loadavg; }

# measure LABEL-ARRAY COMMAND-ARRAY: one warm-up each, so that no program
# pays for a cold file cache alone, then the rounds, interleaved.
measure() {
    local -n measuredLabels=$1 measuredCommands=$2
    local i _
    loadBefore=$(loadAverage)
    for i in "${!measuredLabels[@]}"; do
        runTimer 300 ${measuredCommands[$i]} >/dev/null
    done
    for _ in $(seq "$rounds"); do
        for i in "${!measuredLabels[@]}"; do
            runTimer "$watchMs" ${measuredCommands[$i]} >>"$work/${measuredLabels[$i]}"
        done
    done
}

# pairedRatio FIRST OTHER COLUMN: the median over the rounds of FIRST's figure
# divided by OTHER's in the same round. The two ran seconds apart, so a load
# that comes and goes during the run cancels out of each round's ratio.
pairedRatio() {
    paste -d' ' "$work/$1" "$work/$2" | awk -v c="$3" '{ n = NF / 2; print $c / $(c + n) }' | median
}

# table TITLE LABEL-ARRAY TITLES-ARRAY: medians, and the first program against
# each of the others, in Markdown.
table() {
    local title=$1
    local -n tableLabels=$2 tableTitles=$3
    local i name first=${tableLabels[0]}
    echo
    echo "| $title | mapped | settled | peak RSS |"
    echo "| --- | --- | --- | --- |"
    for i in "${!tableLabels[@]}"; do
        name=${tableLabels[$i]}
        awk -v t="${tableTitles[$i]}" -v first="${tableTitles[0]}" -v i="$i" \
            -v m="$(cut -d' ' -f1 "$work/$name" | median)" -v s="$(cut -d' ' -f2 "$work/$name" | median)" \
            -v r="$(cut -d' ' -f3 "$work/$name" | median)" -v rm="$(pairedRatio "$first" "$name" 1)" \
            -v rs="$(pairedRatio "$first" "$name" 2)" -v rr="$(pairedRatio "$first" "$name" 3)" 'BEGIN {
                if (i == 0)
                    printf "| %s | %.1f ms | %.1f ms | %.1f MiB |\n", t, m, s, r / 1024
                else
                    printf "| %s | %.1f ms (%s: %.2f×) | %.1f ms (%s: %.2f×) | %.1f MiB (%.2f×) |\n",
                           t, m, first, rm, s, first, rs, r / 1024, rr }'
    done
    echo
    echo "Medians of $rounds interleaved rounds; ratios are medians of each round's ratio. Settled: the first"
    echo "image of the window that recurs in the last second of ${watchMs} ms watched after the map."
    echo "Load average before: $loadBefore; after: $(loadAverage)."
}

runTimer() { # watch-ms program [arguments]
    "$timer" "$@" 2>/dev/null || { echo "map-timer ${*:2} ended with status $?" >&2; exit 1; }
}
qtLabels=(marrowvale bare-qt-window bare-with-line-edit xcalc)
qtTitles=("Marrowvale" "bare Qt window of the same size" "bare Qt window with one line edit" "xcalc")
qtPrograms=("$build/qt/marrowvale" "$build/bench/bare-window" "$build/bench/bare-window --line-edit" "$(command -v xcalc)")
measure qtLabels qtPrograms
table "start-up under Xvfb" qtLabels qtTitles

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
trap '"$wineserver" -k 2>/dev/null || true; kill "$keeper" 2>/dev/null; stopXSession; rm -rf "$work"' EXIT
# explorer.exe stays on the display it started on, so a server of this
# prefix left running elsewhere goes first. The new one is started before
# the first round and kept running with its services, so that no start pays
# for them.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
"$wineserver" -p
"$wine" wineboot >"$work/wineboot.log" 2>&1 || { echo "wineboot failed:"; tr -d '\r' <"$work/wineboot.log"; exit 1; }
runTimer() { # watch-ms program [arguments]
    timeout 60 "$timer" "$1" "$wine" "${@:2}" 2>/dev/null \
        || { echo "waited 60 s for ${*:2} under Wine to map a window; map-timer ended with status $?" >&2; exit 1; }
}
# The bare window with one EDIT control is to the Win32 figures what the
# bare Qt window with one line edit is to the Linux ones: the first control
# loads version 6 of the common controls, which the manifest asks for. The
# warm-up also brings up explorer.exe, which the first window of a server
# starts.
wineLabels=(exe bare-exe bare-exe-edit)
wineTitles=("Marrowvale.exe under Wine" "bare Win32 window of the same size" "bare Win32 window with one EDIT")
winePrograms=("$exe" "$bareExe" "$bareExe --edit")
measure wineLabels winePrograms
table "start-up under Wine" wineLabels wineTitles
x86_64-w64-mingw32-strip -o "$work/stripped.exe" "$exe"
size=$(stat -c %s "$work/stripped.exe")
echo
echo "Marrowvale.exe stripped: $size bytes ($(( (size + 1023) / 1024 )) KiB)"
