#!/usr/bin/env bash
# The MSI under Wine, as an administrator uses it: a silent install puts the
# program, its licence and the notices under Program Files\Marrowvale, a
# Start-menu shortcut that starts it, and one entry in Apps and Features; a
# silent uninstall leaves nothing behind. A newer version replaces an older
# one, also one that differs in the fourth field alone, and an older one is
# refused. The older versions are the same package source with another
# version, made here.
# Usage: msi-test.sh WORK DIST   (scripts/release's --work and --dist)
# Brings up its own display, Wine prefix and Wine server, and ends them.
set -Eeuo pipefail

releaseWork=$(cd "$1" && pwd)
dist=$(cd "$2" && pwd)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
for tool in Xvfb openbox xdotool wmctrl wixl "$wine" "$wineserver"; do
    command -v "$tool" >/dev/null || { echo "FAIL: waited for $tool to be installed, found none" >&2; exit 1; }
done
version=$(cat "$releaseWork/windows/release/version")
msi=$dist/Marrowvale-$version-x64.msi
payload=$releaseWork/stage/msi

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/lib/x-session.sh
source "$here/../../scripts/lib/x-session.sh"
# shellcheck source=tests/support/end-to-end.sh
source "$here/../support/end-to-end.sh"

work=$(mktemp -d)
showOnFailure "$work/wine.log" 40
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
# No .NET or Gecko installer on the first start, and no menu entries
# written into $HOME for the shortcut.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    endProcesses "$app"
    stopXSession
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
trap 'fail "line $LINENO: \"$BASH_COMMAND\" exited with status $?"' ERR

startXvfb "$work"
startOpenbox "$work"
mkdir -p "$WINEPREFIX"
"$wineserver" -p
timeout 120 "$wine" wineboot --init >>"$work/wine.log" 2>&1 || fail "wineboot --init did not finish within 120 s"

# The same package source at another version: the two defines at its top.
olderPackage() {
    local older=$1 end=$2
    mkdir -p "$work/$older"
    cp "$payload"/* "$work/$older/"
    sed -i -e "s/<?define Version = \"[^\"]*\"?>/<?define Version = \"$older\"?>/" \
           -e "s/<?define SameVersionEnd = \"[^\"]*\"?>/<?define SameVersionEnd = \"$end\"?>/" \
           "$work/$older/Marrowvale.wxs"
    (cd "$work/$older" && wixl -a x64 -o "$work/Marrowvale-$older-x64.msi" Marrowvale.wxs) \
        || fail "wixl could not make the package of version $older"
}
olderPackage 0.9.0.0 0.9.1
olderPackage 1.0.0.0 1.0.1

drive=$WINEPREFIX/drive_c
installDir="$drive/Program Files/Marrowvale"

# Runs msiexec with ARGS and expects STATUS. msiexec's 1603 (fatal error)
# reaches the shell as 67, the low byte of Wine's exit code.
msiexec() {
    local expected=$1 status=0
    shift
    timeout 120 "$wine" msiexec "$@" >>"$work/wine.log" 2>&1 || status=$?
    [ "$status" = "$expected" ] || fail "msiexec $* ended with status $status, expected $expected"
}

# Marrowvale's entries under Uninstall: "name|version|publisher" a line.
entries() {
    "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>>"$work/wine.log" \
        | tr -d '\r' | awk '
            function flush() { if (name == "Marrowvale") print name "|" version "|" publisher; name = version = publisher = "" }
            /^HKEY_/ { flush() }
            $1 == "DisplayName" { name = $3 }
            $1 == "DisplayVersion" { version = $3 }
            $1 == "Publisher" { publisher = substr($0, index($0, "REG_SZ") + 10) }
            END { flush() }'
}

shortcuts() { find "$drive" -name 'Marrowvale.lnk' | sort; }

expectEntries() {
    local seen
    seen=$(entries | paste -sd ';')
    [ "$seen" = "$1" ] || fail "$2: the uninstall entries are '$seen', expected '$1'"
}

# The installed files are the release's, no more and no fewer.
expectInstalled() {
    local listed file
    listed=$(ls "$installDir" 2>/dev/null | paste -sd ' ')
    [ "$listed" = "LICENSE.txt Marrowvale.exe THIRD-PARTY-NOTICES.txt" ] \
        || fail "$1: Program Files\\Marrowvale holds '$listed'"
    for file in LICENSE.txt Marrowvale.exe THIRD-PARTY-NOTICES.txt; do
        cmp -s "$installDir/$file" "$payload/$file" || fail "$1: the installed $file is not the release's"
    done
}

expectNothingLeft() {
    [ ! -e "$installDir" ] || fail "$1: Program Files\\Marrowvale is still there, with: $(ls "$installDir")"
    [ -z "$(shortcuts)" ] || fail "$1: shortcuts left: $(shortcuts)"
    expectEntries "" "$1"
    local icons
    icons=$(find "$drive/windows/Installer" -iname 'marrowvale.ico' 2>/dev/null)
    [ -z "$icons" ] || fail "$1: the shortcut's icon is left at $icons"
}

release="Marrowvale|$version|Marrowvale developers"

echo "-- Install, start from the Start menu, uninstall"
msiexec 0 /i "$msi" /qn
expectInstalled "installed"
expectEntries "$release" "installed"
# Wine puts a per-machine shortcut into the user's Start menu.
mapfile -t links < <(shortcuts)
[ ${#links[@]} -eq 1 ] || fail "expected one Marrowvale.lnk, found ${#links[@]}: ${links[*]}"
grep -aqF 'C:\Program Files\Marrowvale\Marrowvale.exe' "${links[0]}" \
    || fail "${links[0]} does not point at C:\\Program Files\\Marrowvale\\Marrowvale.exe"
# start returns once the shortcut has started the program, which is then
# no child of this script: it is known by its window.
"$wine" start /unix "${links[0]}" >>"$work/wine.log" 2>&1 || fail "wine start on ${links[0]} failed"
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Marrowvale$' 2>/dev/null | head -n 1 || true)
    [ -z "$window" ] || break
    sleep 0.1
done
[ -n "$window" ] || fail "no window named Marrowvale appeared within 30 s of starting the shortcut"
pid=$(xdotool getwindowpid "$window")
program=$(tr '\0' ' ' <"/proc/$pid/cmdline")
[[ $program == 'C:\Program Files\Marrowvale\Marrowvale.exe'* ]] \
    || fail "the window belongs to '$program', not to the installed Marrowvale.exe"
wmctrl -i -c "$window"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$pid" 2>/dev/null || fail "the program started from its shortcut did not end within 5 s of its close"
msiexec 0 /x "$msi" /qn
expectNothingLeft "uninstalled"
echo "PASS: installed, started from its shortcut, uninstalled without a trace"

# older version | what the release does over it | entries after it
cases=(
"0.9.0.0|replaces it|$release"
"1.0.0.0|replaces it, though only the fourth field differs|$release"
)
for row in "${cases[@]}"; do
    IFS='|' read -r older what expected <<<"$row"
    echo "-- $version over $older"
    msiexec 0 /i "$work/Marrowvale-$older-x64.msi" /qn
    expectEntries "Marrowvale|$older|Marrowvale developers" "$older installed"
    msiexec 0 /i "$msi" /qn
    expectEntries "$expected" "$version over $older"
    expectInstalled "$version over $older"
    msiexec 0 /x "$msi" /qn
    expectNothingLeft "$version over $older, uninstalled"
    echo "PASS: $version $what"
done

echo "-- 0.9.0.0 over $version"
msiexec 0 /i "$msi" /qn
msiexec 67 /i "$work/Marrowvale-0.9.0.0-x64.msi" /qn
expectEntries "$release" "after the refused downgrade"
expectInstalled "after the refused downgrade"
msiexec 0 /x "$msi" /qn
expectNothingLeft "uninstalled after the refused downgrade"
echo "PASS: 0.9.0.0 is refused over $version"
