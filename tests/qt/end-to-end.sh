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
# shellcheck source=scripts/lib/x-session.sh
source "$(dirname "$0")/../../scripts/lib/x-session.sh"

work=$(mktemp -d)
app=''
watch=''
cleanup() {
    for pid in $app $watch; do kill "$pid" 2>/dev/null || true; done
    stopXSession
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    {
        echo "FAIL: $*"
        if [ -s "$work/app.log" ]; then
            echo "--- the program's output:"
            cat "$work/app.log"
        fi
    } >&2
    exit 1
}
trap 'fail "line $LINENO: \"$BASH_COMMAND\" exited with status $?"' ERR

screenWidth=1024
startXvfb "$work" "${screenWidth}x768x24"
startOpenbox "$work"

# Forced, so that a caller's QT_QPA_PLATFORM (offscreen, say) cannot hide
# the window from the display this test watches.
QT_QPA_PLATFORM=xcb "$binary" >"$work/app.log" 2>&1 &
app=$!
appState() {
    if kill -0 "$app" 2>/dev/null; then echo "the program is still running"; else
        local status=0
        wait "$app" || status=$?
        echo "the program ended with status $status"
    fi
}

window=''
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Marrowvale$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
[ -n "$window" ] || fail "no visible window named 'Marrowvale' appeared (waited up to 10 s); $(appState);" \
    "top-level windows seen: $(xwininfo -root -children | grep -c '^ *0x' || true)"

"$watcher" "$window" 60 >"$work/watch" 2>"$work/watch.log" &
watch=$!
for _ in $(seq 50); do grep -q '^frame' "$work/watch" && break; sleep 0.1; done
grep -q '^frame' "$work/watch" || fail "waited 5 s for window-watch to report the frame; it said: $(cat "$work/watch.log")"

timeout 5 xdotool windowactivate --sync "$window" 2>/dev/null || true
timeout 5 xdotool windowfocus --sync "$window" || fail "waited 5 s for the keyboard focus to reach the window"
focused=$(xdotool getwindowfocus)
[ "$focused" = "$window" ] || fail "the keyboard focus is on window $focused, not on the program's $window"

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
bells() { grep -c '^bell$' "$work/watch" || true; }
canberraLoaded() { grep -c 'libcanberra' "/proc/$app/maps" || true; }

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
# X11 has a bell of its own; the desktop's sound library stays out.
[ "$(canberraLoaded)" = 0 ] || fail "libcanberra was loaded although X11 rang the bell"

xdotool type --delay 20 "100"  # replaces the selected money amount
click "${command2[@]}"
result=$(fieldText "${text2[@]}")
[ "$result" = "0.00400000" ] || fail "money to bitcoin: waited 3 s for Text2 on the clipboard and read '$result'"
price=$(fieldText "${text1[@]}")
[ "$price" = "25000" ] || fail "waited 3 s for Text1 on the clipboard and read '$price'"

# Close through the window manager; window-watch records the frame.
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

# The frame as it stood before the close, and every frame seen after it.
{ head -n "$before" "$work/watch" | grep '^frame' | tail -n 1
  tail -n +"$((before + 1))" "$work/watch" | grep '^frame' || true; } >"$work/frames"
read -r _ _ startTop _ <"$work/frames"
positions=$(tail -n +2 "$work/frames" | cut -d' ' -f2,3 | sort -u | grep -c . || true)
# What the program asked for while closing: one request a pass, each with
# position and size together.
tail -n +"$((before + 1))" "$work/watch" | grep '^request ' >"$work/requests" || true
passes=$(grep -c . "$work/requests" || true)
partial=$(grep -m 1 -e ' -' "$work/requests" || true)
# The top edge walks 2 pixels (30 twips) a pass until it passes the
# screen's width.
expectedPasses=$(( (screenWidth - startTop) / 2 + 1 ))
growth=$(awk 'NR > 1 && ($4 > w || $5 > h) {print "line " NR ": " $0 " after " w "x" h; exit}
              {w = $4; h = $5}' "$work/frames")
sizes=$(cut -d' ' -f4,5 "$work/frames" | uniq | head -n 5 | tr ' \n' 'x ')
echo "closing took ${elapsed_ms} ms to exit status $status; $passes passes, $positions frame positions;" \
    "frame from $(head -n 1 "$work/frames" | cut -d' ' -f2-) to $(tail -n 1 "$work/frames" | cut -d' ' -f2-);" \
    "first sizes: $sizes"
[ "$status" -eq 0 ] || fail "exit status $status after the close"
[ "$elapsed_ms" -lt 2000 ] || fail "took ${elapsed_ms} ms to end after the close"
[ -z "$growth" ] || fail "the frame grew while closing: $growth; frames: $(tr '\n' ';' <"$work/frames")"
[ "$positions" -ge 30 ] || fail "saw only $positions frame positions while closing; frames: $(tr '\n' ';' <"$work/frames")"
[ -z "$partial" ] || fail "a pass asked for '$partial': position and size must go in one request"
[ "$passes" -eq "$expectedPasses" ] || fail "the glide made $passes passes from a top edge at $startTop," \
    "expected $expectedPasses; the requests: $(tr '\n' ';' <"$work/requests")"
[ "$(bells)" = 1 ] || fail "expected one bell in all, heard $(bells)"
echo "PASS"
