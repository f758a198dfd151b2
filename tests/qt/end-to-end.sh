#!/usr/bin/env bash
# The real program under Xvfb and openbox: type and click as a person would,
# read the results back through the clipboard and count the bell a refused
# key rings, then close the window through the window manager and follow its
# frame from outside the program while it glides away.
# Usage: end-to-end.sh path/to/marrowvale path/to/window-watch
set -Eeuo pipefail

binary=$1
watcher=$2
for tool in Xvfb openbox xdotool wmctrl xclip xwininfo xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
here=$(dirname "$0")
# shellcheck source=scripts/lib/x-session.sh
source "$here/../../scripts/lib/x-session.sh"
# shellcheck source=tests/support/end-to-end.sh
source "$here/../support/end-to-end.sh"

work=$(mktemp -d)
showOnFailure "$work/app.log"
cleanup() {
    endProcesses "$app" "$watch"
    stopXSession
    rm -rf "$work"
}
trap cleanup EXIT
trap 'fail "line $LINENO: \"$BASH_COMMAND\" exited with status $?"' ERR

screenWidth=1024
startXvfb "$work" "${screenWidth}x768x24"
startOpenbox "$work"

# Forced, so that a caller's QT_QPA_PLATFORM (offscreen, say) cannot hide
# the window from the display this test watches.
QT_QPA_PLATFORM=xcb "$binary" >"$work/app.log" 2>&1 &
app=$!
waitForWindow Marrowvale 10
startWindowWatch "$watcher"

timeout 5 xdotool windowactivate --sync "$window" 2>/dev/null || true
timeout 5 xdotool windowfocus --sync "$window" || fail "waited 5 s for the keyboard focus to reach the window"
expectFocus
readClientOrigin

# The focus starts in the price field; the refused letter leaves no trace
# but the bell.
xdotool type --delay 20 "25x000"
xdotool key Tab
xdotool type --delay 20 "0.5"
click Command1
expectField Text3 "12500.00" "bitcoin to money"
expectOneBell "for the refused letter"
# X11 has a bell of its own; the desktop's sound library stays out.
[ "$(canberraLoaded)" = 0 ] || fail "libcanberra was loaded although X11 rang the bell"

xdotool type --delay 20 "100"  # replaces the selected money amount
click Command2
expectField Text2 "0.00400000" "money to bitcoin"
expectField Text1 "25000"

# The window keeps its size: its hints give the same least and largest size,
# openbox offers neither resize nor maximise, and asking for either changes
# nothing.
clientSize() { xwininfo -id "$window" | awk '/^ *Width:/{w=$2} /^ *Height:/{h=$2} END{print w " by " h}'; }
size=$(clientSize)
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
[[ $hints == *"minimum size: $size"* && $hints == *"maximum size: $size"* ]] \
    || fail "the size hints do not hold the window at $size: $(tr -s ' \n' ' ' <<<"$hints")"
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
[[ $actions != *RESIZE* && $actions != *MAXIMIZE* ]] || fail "openbox allows $actions"
xdotool windowsize "$window" 400 300
wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
sleep 0.5
[ "$(clientSize)" = "$size" ] || fail "a resize and a maximise made the window $(clientSize), not $size"

# Close through the window manager; window-watch records the frame.
closeProgram wmctrl -i -c "$window"
awaitWindowWatchEnd

glideFrames >"$work/frames"
read -r _ startTop _ <"$work/frames"
# What the program asked for while closing: one request a pass, each with
# when the X server took it.
sinceClose request >"$work/requests"
passes=$(grep -c . "$work/requests" || true)
# The top edge walks 2 pixels (30 twips) a pass until it passes the
# screen's width.
expectedPasses=$(( (screenWidth - startTop) / 2 + 1 ))
sizes=$(cut -d' ' -f3,4 "$work/frames" | uniq | head -n 5 | tr ' \n' 'x ')
echo "closing: exit status $exitStatus; $passes passes, $(framePositions) frame positions;" \
    "frame from $(head -n 1 "$work/frames" | cut -d' ' -f1-4) to $(tail -n 1 "$work/frames" | cut -d' ' -f1-4);" \
    "first sizes: $sizes"
expectGlideSeen
# xcb sends each setGeometry as one ConfigureWindow; window-watch prints
# "-" for a value a request left out, and a pass sent as two requests would
# show the window moved but not yet shrunk.
partial=$(grep -m 1 -E '(^| )-( |$)' "$work/requests" || true)
[ -z "$partial" ] || fail "a pass asked for '$partial': position and size must go in one request"
cut -d' ' -f5 "$work/requests" >"$work/times"
expectGlideInTime "$expectedPasses" "$work/times"
expectOneBell "in all"
echo "PASS"
