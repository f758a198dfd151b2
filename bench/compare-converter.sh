#!/usr/bin/env bash
# The conversion benchmarks of this working tree beside those of an earlier
# commit, both Release builds, run interleaved in one run so that the load
# of a shared machine falls on both alike. Prints the medians of real and CPU
# time per action with their ratios, and callgrind's instruction count of
# one action, which unlike the times does not depend on the load.
# Usage: bench/compare-converter.sh base-commit [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "usage: $0 base-commit [rounds]" >&2; exit 2; }
base=$(git rev-parse --verify "$1^{commit}")
rounds=${2:-11}
short=${base:0:10}
work=build/bench-compare
src=$work/src-$short
if [ ! -d "$src" ]; then
    mkdir -p "$src.part"
    git archive "$base" | tar -x -C "$src.part"
    mv "$src.part" "$src"
fi
configure() { # source build
    cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMARROWVALE_QT=OFF >/dev/null
    cmake --build "$2" --target converter_bench -j2 >/dev/null
}
configure "$src" "$work/build-$short"
configure . build/release-bench
binaries=("$work/build-$short/bench/converter_bench" build/release-bench/bench/converter_bench)
labels=(base new)

results=$(mktemp)
trap 'rm -f "$results"' EXIT
# One repetition per binary and round, alternating, so that a busy spell
# cannot favour either.
for _ in $(seq "$rounds"); do
    for i in 0 1; do
        "${binaries[$i]}" --benchmark_format=csv 2>/dev/null \
            | awk -F, -v who="${labels[$i]}" '$1 ~ /^"runAction\// {
                  scale = ($5 == "ns") ? 1e-3 : ($5 == "us") ? 1 : ($5 == "ms") ? 1e3 : 1e6
                  gsub(/"|runAction\//, "", $1); print who, $1, $3 * scale, $4 * scale }' >>"$results"
    done
done

# Instructions of one action alone: callgrind counts only inside the click
# handlers, and the benchmark runs a single iteration.
instructions() { # binary case
    valgrind --tool=callgrind --callgrind-out-file=/dev/null --toggle-collect='Converter::Command*' "$1" \
        --benchmark_filter="^runAction/$2\$" --benchmark_min_time=0 2>&1 \
        | awk '/Collected :/ { gsub(",", "", $4); print $4 }'
}

median() { sort -g | awk '{v[NR]=$1} END{print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
echo "medians of $rounds interleaved rounds, µs; base $short, new = this working tree"
printf "%-28s %10s %10s %7s %10s %10s %7s %12s %12s %7s\n" case "base real" "new real" ratio "base cpu" "new cpu" ratio \
    "base instr" "new instr" ratio
for name in $(awk '$1 == "new" { print $2 }' "$results" | awk '!seen[$0]++'); do
    values=()
    for who in base new; do
        for column in 3 4; do
            values+=("$(awk -v w="$who" -v n="$name" -v c="$column" '$1 == w && $2 == n { print $c }' "$results" | median)")
        done
    done
    baseIr=$(instructions "${binaries[0]}" "$name")
    newIr=$(instructions "${binaries[1]}" "$name")
    awk -v n="$name" -v br="${values[0]}" -v bc="${values[1]}" -v nr="${values[2]}" -v nc="${values[3]}" \
        -v bi="$baseIr" -v ni="$newIr" \
        'BEGIN { printf "%-28s %10.1f %10.1f %7.3f %10.1f %10.1f %7.3f %12d %12d %7.3f\n",
                 n, br, nr, nr / br, bc, nc, nc / bc, bi, ni, ni / bi }'
done
