#!/usr/bin/env bash
# What scripts/release wrote, seen as a user gets it: SHA256SUMS checks, the
# zip holds exactly its four files in one folder with CRLF text and the
# exe the build made, the notices are those of what was linked, and the MSI
# carries what Windows Installer reads but Wine does not show.
# Usage: artifacts-test.sh WORK DIST   (scripts/release's --work and --dist)
set -euo pipefail
work=$(cd "$1" && pwd)
dist=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

version=$(cat "$work/windows/release/version")
name=Marrowvale-$version
zip=$dist/$name-win64.zip
msi=$dist/$name-x64.msi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$dist" && sha256sum --check --quiet SHA256SUMS) || fail "sha256sum --check SHA256SUMS"
listed=$(cut -d' ' -f3 "$dist/SHA256SUMS" | paste -sd ' ')
[ "$listed" = "$name-win64.zip $name-x64.msi marrowvale_$version-1_amd64.deb" ] \
    || fail "SHA256SUMS lists '$listed'"

members=$(unzip -Z1 "$zip" | paste -sd ' ')
[ "$members" = "$name/LICENSE.txt $name/Marrowvale.exe $name/README.txt $name/THIRD-PARTY-NOTICES.txt" ] \
    || fail "the zip holds '$members'"
unzip -q "$zip" -d "$scratch/zip"
files=$scratch/zip/$name
cmp -s "$files/Marrowvale.exe" "$work/install/bin/Marrowvale.exe" \
    || fail "the zip's Marrowvale.exe is not the one the build installed"
for text in LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt; do
    lines=$(grep -c '' "$files/$text" || true)
    crlf=$(grep -c $'\r$' "$files/$text" || true)
    [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] || fail "$text: $crlf of $lines lines end in CRLF"
done

# Notices: the mingw-w64 runtime and winpthreads, which every static
# MinGW-w64 build holds, each with its licence; and exactly what the build's
# link map gives now, which notices left behind by a relink would not be.
notices=$(tr -d '\r' <"$files/THIRD-PARTY-NOTICES.txt")
for phrase in $'The mingw-w64 runtime\n---------------------' "License: ZPL-2.1" \
              "Redistributions in binary form must reproduce the accompanying" \
              $'winpthreads, the POSIX threads of mingw-w64\n-------------------------------------------' \
              "License: expat" "Permission is hereby granted, free of charge" "Lockless Inc."; do
    [[ $notices == *"$phrase"* ]] || fail "the notices lack '$phrase'"
done
"$here/../../desktop/windows/third-party-notices.sh" "$work/windows/release/Marrowvale.map" "$work/windows" \
    "$scratch/notices" || fail "the notices could not be made again from the build's link map"
cmp -s "$scratch/notices" "$files/THIRD-PARTY-NOTICES.txt" \
    || fail "THIRD-PARTY-NOTICES.txt is not what the link map of the build gives"

# The MSI's tables: table | row key | column | expected value
# msiinfo writes CRLF line ends.
msiinfo export "$msi" Property | tr -d '\r' >"$scratch/Property"
msiinfo export "$msi" Component | tr -d '\r' >"$scratch/Component"
checks=(
"Property|ProductName|2|Marrowvale"
"Property|ProductVersion|2|$version"
"Property|Manufacturer|2|Marrowvale developers"
"Property|UpgradeCode|2|{636F5B37-022C-4260-9030-0A11C9CDC6D2}"
"Property|ARPPRODUCTICON|2|marrowvale.ico"
"Property|ALLUSERS|2|1"
"Property|ARPHELPLINK|2|"
)
for check in "${checks[@]}"; do
    IFS='|' read -r table key column expected <<<"$check"
    value=$(awk -F'\t' -v key="$key" -v column="$column" 'NR > 3 && $1 == key {print $column}' "$scratch/$table")
    [ "$value" = "$expected" ] || fail "$table $key is '$value', expected '$expected'"
done
# 256: a 64-bit component, which wixl sets only where the .wxs asks.
not64=$(awk -F'\t' 'NR > 3 && int($4 / 256) % 2 == 0 {print $1}' "$scratch/Component" | paste -sd ' ')
[ -z "$not64" ] || fail "components not marked 64-bit: $not64"

if [ "$failures" -gt 0 ]; then
    echo "artifacts-test: $failures checks failed" >&2
    exit 1
fi
echo "PASS: SHA256SUMS, the zip's four files, the notices and the MSI's tables"
