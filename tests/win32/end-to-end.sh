#!/usr/bin/env bash
# The real Marrowvale.exe under Wine on Xvfb and openbox: type and click as a
# person would, read the results back through the clipboard and count the
# bell a refused key rings, then close the window through the window manager
# and follow it from outside the program while it glides away.
# Usage: end-to-end.sh path/to/Marrowvale.exe path/to/window-watch
# WINEPREFIX names the prefix to run in (scripts/test-windows makes one in
# the build folder). The test brings up its own display and a Wine server
# on it, and ends both.
set -Eeuo pipefail

exe=$1
watcher=$2
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
for tool in Xvfb openbox xdotool wmctrl xclip xwininfo xprop "$wine" "$wineserver"; do
    command -v "$tool" >/dev/null || { echo "FAIL: waited for $tool to be installed, found none" >&2; exit 1; }
done
for file in "$exe" "$watcher"; do
    [ -f "$file" ] || { echo "FAIL: waited for $file to be built, found none" >&2; exit 1; }
done
[ -n "${WINEPREFIX:-}" ] || { echo "FAIL: WINEPREFIX is not set; give the test a prefix of its own" >&2; exit 1; }
export WINEPREFIX
# No debug channels on stderr, no .NET or Gecko installer on a first start,
# no menu entries written into $HOME.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree=;mshtml=;winemenubuilder.exe=d}
here=$(dirname "$0")
# shellcheck source=scripts/lib/x-session.sh
source "$here/../../scripts/lib/x-session.sh"
# shellcheck source=tests/support/end-to-end.sh
source "$here/../support/end-to-end.sh"

work=$(mktemp -d)
showOnFailure "$work/app.log"
showOnFailure "$work/wine.log"
cleanup() {
    # The server's end takes every Wine process with it, the program too.
    "$wineserver" -k 2>/dev/null || true
    endProcesses "$app" "$watch"
    stopXSession
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
trap 'fail "line $LINENO: \"$BASH_COMMAND\" exited with status $?"' ERR

screenWidth=1024
startXvfb "$work" "${screenWidth}x768x24"
# Without a window manager, Wine waits 2 s after unmapping a window for one
# to answer, which would end the program late.
startOpenbox "$work"

# explorer.exe, which the first window of a server starts, stays on the
# display it started on: a server left running on another display would put
# the window there.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
# Started beforehand and kept running, so that the program's start does not
# include the server's and the services wineboot brings up.
"$wineserver" -p
timeout 60 "$wine" wineboot >"$work/wine.log" 2>&1 || fail "wineboot did not finish within 60 s (status $?)"

"$wine" "$exe" >"$work/app.log" 2>&1 &
app=$!
waitForWindow Marrowvale 20
startWindowWatch "$watcher"

# Activated through the window manager, as a click on its frame would,
# before any key goes to it: a window that openbox has not made the active
# one need not have Windows' keyboard focus.
timeout 5 xdotool windowactivate --sync "$window" \
    || fail "waited 5 s for openbox to activate the window; the active window is $(xdotool getactivewindow 2>&1)"
expectFocus
readClientOrigin

# The focus starts in the price field; the refused letter leaves no trace
# but the bell, which Wine rings for MessageBeep on the X server.
xdotool type --delay 20 "25x000"
xdotool key Tab
xdotool type --delay 20 "0.5"
click Command1
expectField Text3 "12500.00" "bitcoin to money"
expectOneBell "for the refused letter"

xdotool type --delay 20 "100"  # replaces the selected money amount
click Command2
expectField Text2 "0.00400000" "money to bitcoin"
expectField Text1 "25000"

# Close through the window manager; window-watch records the frame and
# what the program asks of the X server.
readClientOrigin
closeProgram wmctrl -i -c "$window"
awaitWindowWatchEnd

# Where the program asked the client area to go while closing, each place
# once, with when the X server took the request. How Wine turns a
# SetWindowPos into requests is Wine's: it leaves out of a request what did
# not change, and sends the last place again just before the window goes.
# The places asked for in turn are the passes; the window test sees that
# each pass is one SetWindowPos.
sinceClose request >"$work/requests"
awk '$1 != "-" && ($1 != x || $2 != y) {x = $1; y = $2; print x, y, $5}' "$work/requests" >"$work/moves"
passes=$(grep -c . "$work/moves" || true)
# Each pass moves the client area 2 pixels (30 twips) down and right.
steps=$(awk -v x="$left" -v y="$top" '$1 != x + 2 || $2 != y + 2 {print "pass " NR ": " $1 " " $2 " after " x " " y
                                                                     exit}
                                       {x = $1; y = $2}' "$work/moves")
growth=$(awk '$3 == "-" {next} w != "" && ($3 > w || $4 > h) {print $0 " after " w "x" h; exit} {w = $3; h = $4}' \
             "$work/requests")
[ "$passes" -gt 0 ] \
    || fail "the program asked for no move while closing; its requests: $(tr '\n' ';' <"$work/requests")"
# The glide stops once Windows' top edge, which lies above the client area
# by the caption and border (under 40 pixels at 96 dots per inch), has
# passed the screen's width. A glide that stopped short of that had at
# least the passes left that take the client area's top past it.
lastTop=$(tail -n 1 "$work/moves" | cut -d' ' -f2)
[ "$lastTop" -le $((screenWidth + 2 + 40)) ] \
    || fail "the glide ended with the client area's top at $lastTop, past the screen's width of $screenWidth pixels" \
        "and the caption above it"
expectedPasses=$passes expectedText=$passes
if [ "$lastTop" -le "$screenWidth" ]; then
    expectedPasses=$((passes + (screenWidth - lastTop) / 2 + 1))
    expectedText="at least $expectedPasses"
fi
echo "closing: exit status $exitStatus; $passes passes, $(framePositions) frame positions;" \
    "client area from $left $top to $(tail -n 1 "$work/moves" | cut -d' ' -f1,2);" \
    "first sizes: $(awk '$3 != "-" {print $3 "x" $4}' "$work/requests" | uniq | head -n 4 | tr '\n' ' ')"
expectGlideSeen
[ -z "$steps" ] || fail "a pass did not move the window 2 pixels down and right: $steps"
[ -z "$growth" ] || fail "the window grew while closing: $growth"
cut -d' ' -f3 "$work/moves" >"$work/times"
expectGlideInTime "$expectedPasses" "$work/times" "$expectedText"
expectOneBell "in all"
echo "PASS"
