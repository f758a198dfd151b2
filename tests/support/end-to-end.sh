# shellcheck shell=bash
# What the end-to-end scripts share: failing with the program's state and
# logs, ending what they started, timing the program's end after a close,
# and, on X11, finding the window, following it with window-watch, clicking
# at the layout's points, reading fields through the clipboard and checking
# what the window did while it closed.
#
# The sourcing script makes a scratch folder `work`, sets `app` to the
# program's pid once it has started it, and lists the logs a failure shows
# with showOnFailure. The functions here keep, as they go:
#   window       the program's window (waitForWindow)
#   watch        window-watch's pid while it runs (startWindowWatch)
#   left, top    the client area's corner on the screen (readClientOrigin)
#   exitStatus, elapsedMs, closeMark   what closeProgram saw
# Every check fails through fail, which ends the script with status 1.
# shellcheck disable=SC2154 # work is the sourcing script's

app=''
watch=''
window=''
failureLogs=()
failureLogLines=()

# Adds FILE to what a failure prints: all of it, or only its last LINES.
showOnFailure() {
    failureLogs+=("$1")
    failureLogLines+=("${2:-0}")
}

# Prints "FAIL: MESSAGE", how the program stands while it is still ours to
# wait for, and the logs, then ends the script with status 1.
fail() {
    trap - ERR
    {
        echo "FAIL: $*"
        [ -z "$app" ] || echo "--- $(programState)"
        local i log lines
        for i in "${!failureLogs[@]}"; do
            log=${failureLogs[i]} lines=${failureLogLines[i]}
            [ -s "$log" ] || continue
            if [ "$lines" -gt 0 ]; then
                echo "--- $(basename "$log") (last lines):"
                tail -n "$lines" "$log"
            else
                echo "--- $(basename "$log"):"
                cat "$log"
            fi | tr -d '\r' # Wine writes CRLF line ends
        done
    } >&2
    exit 1
}

programState() {
    if kill -0 "$app" 2>/dev/null; then
        echo "the program is still running"
        return
    fi
    local status=0
    wait "$app" 2>/dev/null || status=$?
    echo "the program ended with status $status"
}

# Ends the given processes and waits for them; empty arguments are skipped.
endProcesses() {
    local pid
    for pid in "$@"; do [ -z "$pid" ] || kill "$pid" 2>/dev/null || true; done
    for pid in "$@"; do [ -z "$pid" ] || wait "$pid" 2>/dev/null || true; done
}

# How many of the program's mappings are the desktop's sound library: 0
# until it is loaded.
canberraLoaded() { grep -c 'libcanberra' "/proc/$app/maps" || true; }

# Asks for the close with COMMAND and waits up to 5 s for the program to
# end. Sets exitStatus, elapsedMs (from the request to the end) and
# closeMark, the number of lines window-watch had printed before the close.
closeProgram() {
    closeMark=0
    if [ -f "$work/watch" ]; then closeMark=$(grep -c . "$work/watch" || true); fi
    local start output _
    start=$(date +%s%N)
    output=$("$@" 2>&1) || fail "the close request '$*' failed with status $?: $(tr -s ' \n' ' ' <<<"$output")"
    for _ in $(seq 250); do kill -0 "$app" 2>/dev/null || break; sleep 0.02; done
    elapsedMs=$((($(date +%s%N) - start) / 1000000))
    if kill -0 "$app" 2>/dev/null; then
        fail "waited 5 s for the program to end after the close; it is still running"
    fi
    exitStatus=0
    wait "$app" || exitStatus=$?
    app=''
}

# The glide ends the program within 1.7 s of the close, whatever its pace;
# 2 s leaves room for the polling here.
expectCleanQuickEnd() {
    [ "$exitStatus" -eq 0 ] || fail "exit status $exitStatus after the close"
    [ "$elapsedMs" -lt 2000 ] || fail "took ${elapsedMs} ms to end after the close"
}

# --- X11: the window seen from outside the program ---

# Waits up to SECONDS for a visible window named exactly NAME and sets
# window; gives up early once the program has ended.
waitForWindow() {
    local name=$1 seconds=$2 _
    for _ in $(seq $((seconds * 10))); do
        window=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$window" ]; then return 0; fi
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    fail "no visible window named '$name' appeared (waited up to $seconds s);" \
        "top-level windows seen: $(xwininfo -root -children | grep -c '^ *0x' || true)"
}

# Starts WATCHER (window-watch) on the window, writing to $work/watch, and
# waits up to 5 s for its first report of the frame.
startWindowWatch() {
    local watcher=$1 _
    "$watcher" "$window" 60 >"$work/watch" 2>"$work/watch.log" &
    watch=$!
    for _ in $(seq 50); do
        if grep -q '^frame' "$work/watch"; then return 0; fi
        sleep 0.1
    done
    fail "waited 5 s for window-watch to report the frame; it said: $(cat "$work/watch.log")"
}

# Waits up to 5 s for window-watch to see the window go, then expects it to
# end with status 0.
awaitWindowWatchEnd() {
    local watchStatus=0 _
    for _ in $(seq 50); do kill -0 "$watch" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$watch" 2>/dev/null; then
        fail "waited 5 s for window-watch to see the window go; it is still watching:" \
            "$(tail -n 3 "$work/watch" | tr '\n' ';') $(cat "$work/watch.log")"
    fi
    wait "$watch" || watchStatus=$?
    watch=''
    [ "$watchStatus" = 0 ] || fail "window-watch ended with status $watchStatus: $(cat "$work/watch.log")"
}

expectFocus() {
    local focused
    focused=$(xdotool getwindowfocus)
    [ "$focused" = "$window" ] || fail "the keyboard focus is on window $focused, not on the program's $window"
}

# Sets left and top to the client area's top left corner on the screen,
# where the layout's pixels count from.
readClientOrigin() {
    read -r left top < <(xwininfo -id "$window" \
        | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
}

# Pixel centres of the controls at 96 dots per inch.
declare -gA controlCentre=([Text1]="96 36" [Text2]="96 84" [Text3]="96 132"
                           [Command1]="188 84" [Command2]="188 132")

click() {
    local x y
    read -r x y <<<"${controlCentre[$1]}"
    xdotool mousemove $((left + x)) $((top + y)) click 1
    sleep 0.2
}

# Clicks into the field, copies all its text and prints what the clipboard
# holds, asking for up to 3 s.
fieldText() {
    click "$1"
    # The xclip left behind as the clipboard's owner keeps its output open;
    # it must not be this command substitution's pipe, or a failed copy
    # would leave the caller waiting for xclip instead of failing.
    printf '' | xclip -selection clipboard >/dev/null 2>>"$work/xclip.log"
    xdotool key Home shift+End ctrl+Insert
    local text='' _
    for _ in $(seq 30); do
        sleep 0.1
        text=$(timeout 5 xclip -o -selection clipboard 2>>"$work/xclip.log" </dev/null) || true
        [ -z "$text" ] || break
    done
    printf '%s' "$text"
}

# Reads FIELD through the clipboard and expects EXPECTED; WHAT, if given,
# names the step a failure belongs to.
expectField() {
    local field=$1 expected=$2 what=${3:+$3: } text
    text=$(fieldText "$field")
    [ "$text" = "$expected" ] || fail "${what}waited 3 s for $field on the clipboard and read '$text'"
}

# Bells rung on the display, as window-watch heard them.
bells() { grep -c '^bell$' "$work/watch" || true; }

# Waits up to 2 s for a bell, then expects exactly one; WHEN completes
# "expected one bell ...".
expectOneBell() {
    local when=$1 _
    for _ in $(seq 20); do
        [ "$(bells)" = 0 ] || break
        sleep 0.1
    done
    [ "$(bells)" = 1 ] || fail "expected one bell $when, heard $(bells)"
}

# The lines of one KIND (frame, request) that window-watch printed after
# the close, without the kind.
sinceClose() {
    tail -n +"$((closeMark + 1))" "$work/watch" | sed -n "s/^$1 //p"
}

framePositions() { sinceClose frame | cut -d' ' -f1,2 | sort -u | grep -c . || true; }

# What window-watch saw while the window closed: the frame in at least 30
# places, and each request with position and size together. window-watch
# prints "-" for a value a request left out; a pass sent as two requests
# would show the window moved but not yet shrunk.
expectGlideSeen() {
    local positions partial
    positions=$(framePositions)
    [ "$positions" -ge 30 ] \
        || fail "saw only $positions frame positions while closing; frames: $(sinceClose frame | tr '\n' ';')"
    partial=$(sinceClose request | grep -m 1 -E '(^| )-( |$)' || true)
    [ -z "$partial" ] || fail "a pass asked for '$partial': position and size must go in one request"
}
