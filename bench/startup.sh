#!/usr/bin/env bash
# Start-up benchmark: time from exec until the window is mapped, and peak
# RSS, for Marrowvale, a bare Qt window of the same size (empty, and with one
# line edit, which makes Qt load fonts before the window appears) and xcalc,
# measured interleaved in one run on a private Xvfb. Prints medians and ratios.
# Usage: bench/startup.sh [build-dir] [rounds]
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
for p in "${programs[@]}"; do $timer 100 $p >/dev/null; done
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
