#!/usr/bin/env bash
# The real program under Xvfb and openbox: type and click as a person would,
# read the results back through the clipboard, then close the window through
# the window manager and watch it glide away.
# Usage: end-to-end.sh path/to/marrowvale
set -euo pipefail

binary=$1
for tool in Xvfb openbox xdotool wmctrl xclip xwininfo xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
openbox --config-file /dev/null >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.05; done

"$binary" >"$work/app.log" 2>&1 &
app=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Marrowvale$' | head -n 1)
[ -n "$window" ] || fail "no window appeared"
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool windowfocus --sync "$window"
sleep 0.2

origin() { xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'; }
read -r left top < <(origin)
click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.2; }
# Pixel centres of the controls at 96 dots per inch.
text1=(96 36); text2=(96 84); text3=(96 132); command1=(188 84); command2=(188 132)
fieldText() {
    click "$@"
    printf '' | xclip -selection clipboard
    xdotool key Home shift+End ctrl+Insert
    sleep 0.2
    xclip -o -selection clipboard
}

# The focus starts in the price field; refused keys leave no trace.
xdotool type --delay 20 "25x000"
xdotool key Tab
xdotool type --delay 20 "0.5"
click "${command1[@]}"
result=$(fieldText "${text3[@]}")
[ "$result" = "12500.00" ] || fail "bitcoin to money gave '$result'"

xdotool type --delay 20 "100"  # replaces the selected money amount
click "${command2[@]}"
result=$(fieldText "${text2[@]}")
[ "$result" = "0.00400000" ] || fail "money to bitcoin gave '$result'"
price=$(fieldText "${text1[@]}")
[ "$price" = "25000" ] || fail "price field holds '$price'"

# Close through the window manager, sampling the position while it glides.
( while kill -0 "$app" 2>/dev/null; do origin; sleep 0.02; done ) >"$work/positions" 2>/dev/null &
pids+=($!)
start=$(date +%s%N)
wmctrl -i -c "$window"
status=0
wait "$app" || status=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
positions=$(sort -u "$work/positions" | grep -c .)
echo "exit status $status after ${elapsed_ms} ms; ${positions} distinct positions seen while closing"
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$elapsed_ms" -lt 2000 ] || fail "took ${elapsed_ms} ms to end"
[ "$positions" -ge 4 ] || fail "the window was not seen moving"
echo "PASS"
