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
# shellcheck source=scripts/lib/x-session.sh
source "$(dirname "$0")/../../scripts/lib/x-session.sh"

work=$(mktemp -d)
app=''
watch=''
cleanup() {
    for pid in $app $watch; do kill "$pid" 2>/dev/null || true; done
    "$wineserver" -k 2>/dev/null || true
    stopXSession
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
    {
        echo "FAIL: $*"
        if [ -n "$app" ]; then
            if kill -0 "$app" 2>/dev/null; then echo "--- the program is still running"; else
                local status=0
                wait "$app" 2>/dev/null || status=$?
                echo "--- the program ended with status $status"
            fi
        fi
        for log in app wine; do
            if [ -s "$work/$log.log" ]; then
                echo "--- $log.log:"
                tr -d '\r' <"$work/$log.log" # Wine writes CRLF line ends
            fi
        done
    } >&2
    exit 1
}
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

window=''
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name '^Marrowvale$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
[ -n "$window" ] || fail "no visible window named 'Marrowvale' appeared (waited up to 20 s);" \
    "top-level windows seen: $(xwininfo -root -children | grep -c '^ *0x' || true)"

"$watcher" "$window" 60 >"$work/watch" 2>"$work/watch.log" &
watch=$!
for _ in $(seq 50); do grep -q '^frame' "$work/watch" && break; sleep 0.1; done
grep -q '^frame' "$work/watch" || fail "waited 5 s for window-watch to report the frame; it said: $(cat "$work/watch.log")"

# Activated through the window manager, as a click on its frame would,
# before any key goes to it: a window that openbox has not made the active
# one need not have Windows' keyboard focus.
timeout 5 xdotool windowactivate --sync "$window" \
    || fail "waited 5 s for openbox to activate the window; the active window is $(xdotool getactivewindow 2>&1)"
focused=$(xdotool getwindowfocus)
[ "$focused" = "$window" ] || fail "the keyboard focus is on window $focused, not on the program's $window"

# The client area's top left corner, where the layout's pixels count from.
origin() { xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'; }
read -r left top < <(origin)
click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.2; }
# Pixel centres of the controls at 96 dots per inch.
text1=(96 36); text2=(96 84); text3=(96 132); command1=(188 84); command2=(188 132)
# Copies the field at the given point to the clipboard and prints it.
fieldText() {
    click "$@"
    # The xclip left behind as the clipboard's owner keeps its output open;
    # it must not be this command substitution's pipe, or a failed copy
    # would leave the caller waiting for xclip instead of failing.
    printf '' | xclip -selection clipboard >/dev/null 2>>"$work/xclip.log"
    xdotool key Home shift+End ctrl+Insert
    local text='' _
    for _ in $(seq 30); do
        sleep 0.1
        text=$(timeout 5 xclip -o -selection clipboard 2>>"$work/xclip.log" </dev/null) || true
        [ -n "$text" ] && break
    done
    printf '%s' "$text"
}
# Wine rings MessageBeep as an X bell, which window-watch hears.
bells() { grep -c '^bell$' "$work/watch" || true; }

# The focus starts in the price field; the refused letter leaves no trace
# but the bell.
xdotool type --delay 20 "25x000"
xdotool key Tab
xdotool type --delay 20 "0.5"
click "${command1[@]}"
result=$(fieldText "${text3[@]}")
[ "$result" = "12500.00" ] || fail "bitcoin to money: waited 3 s for Text3 on the clipboard and read '$result'"
for _ in $(seq 20); do [ "$(bells)" = 0 ] || break; sleep 0.1; done
[ "$(bells)" = 1 ] || fail "expected one bell for the refused letter, heard $(bells)"

xdotool type --delay 20 "100"  # replaces the selected money amount
click "${command2[@]}"
result=$(fieldText "${text2[@]}")
[ "$result" = "0.00400000" ] || fail "money to bitcoin: waited 3 s for Text2 on the clipboard and read '$result'"
price=$(fieldText "${text1[@]}")
[ "$price" = "25000" ] || fail "waited 3 s for Text1 on the clipboard and read '$price'"

# Close through the window manager; window-watch records the frame and
# what the program asks of the X server.
read -r left top < <(origin)
before=$(grep -c . "$work/watch")
start=$(date +%s%N)
wmctrl -i -c "$window"
for _ in $(seq 250); do kill -0 "$app" 2>/dev/null || break; sleep 0.02; done
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
kill -0 "$app" 2>/dev/null && fail "waited 5 s for the program to end after the close; it is still running"
status=0
wait "$app" || status=$?
app=''
for _ in $(seq 50); do kill -0 "$watch" 2>/dev/null || break; sleep 0.1; done
kill -0 "$watch" 2>/dev/null && fail "waited 5 s for window-watch to see the window go; it is still watching:" \
    "$(tail -n 3 "$work/watch" | tr '\n' ';') $(cat "$work/watch.log")"
watchStatus=0
wait "$watch" || watchStatus=$?
watch=''
[ "$watchStatus" = 0 ] || fail "window-watch ended with status $watchStatus: $(cat "$work/watch.log")"

# Every frame position openbox showed while closing.
positions=$(tail -n +"$((before + 1))" "$work/watch" | grep '^frame' | cut -d' ' -f2,3 | sort -u | grep -c . || true)
# What the program asked for while closing: one request a pass with
# position and size together, the client area's corner 2 pixels (30 twips)
# further down and right each time. Wine sends the last one again just
# before the window goes; a repeat is no pass of its own.
tail -n +"$((before + 1))" "$work/watch" | grep '^request ' | cut -d' ' -f2- | uniq >"$work/requests" || true
passes=$(grep -c . "$work/requests" || true)
partial=$(grep -m 1 -E '(^| )-( |$)' "$work/requests" || true)
steps=$(awk -v x="$left" -v y="$top" '$1 != x + 2 || $2 != y + 2 {print "pass " NR ": " $0 " after " x " " y; exit}
                                       {x = $1; y = $2}' "$work/requests")
growth=$(awk 'NR > 1 && ($3 > w || $4 > h) {print "pass " NR ": " $0 " after " w "x" h; exit} {w = $3; h = $4}' \
             "$work/requests")
lastTop=$(tail -n 1 "$work/requests" | cut -d' ' -f2)
echo "closing took ${elapsed_ms} ms to exit status $status; $passes passes, $positions frame positions;" \
    "client area from $left $top to $(tail -n 1 "$work/requests" 2>/dev/null);" \
    "first sizes: $(cut -d' ' -f3,4 "$work/requests" | head -n 4 | tr ' \n' 'x ')"
[ "$status" -eq 0 ] || fail "exit status $status after the close"
[ "$elapsed_ms" -lt 2000 ] || fail "took ${elapsed_ms} ms to end after the close"
[ "$positions" -ge 30 ] || fail "saw only $positions frame positions while closing:" \
    "$(tail -n +"$((before + 1))" "$work/watch" | grep '^frame' | tr '\n' ';')"
[ -z "$partial" ] || fail "a pass asked for '$partial': position and size must go in one request"
[ -z "$steps" ] || fail "a pass did not move the window 2 pixels down and right: $steps"
[ -z "$growth" ] || fail "the window grew while closing: $growth"
# The glide stops once Windows' top edge, which lies above the client area
# by the caption and border (under 40 pixels at 96 dots per inch), has
# passed the screen's width.
if [ -z "$lastTop" ] || [ "$lastTop" -le "$screenWidth" ] || [ "$lastTop" -gt $((screenWidth + 2 + 40)) ]; then
    fail "the glide ended with the client area's top at '$lastTop'; expected it just past the screen's" \
        "width of $screenWidth pixels"
fi
[ "$(bells)" = 1 ] || fail "expected one bell in all, heard $(bells)"
echo "PASS"
