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
#   exitStatus, closeMark, closeAtMs, endedAtMs
#                what closeProgram saw
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

# Now, in milliseconds since the epoch: the clock window-watch gives its
# times in.
epochMs() { local now=${EPOCHREALTIME/[.,]/}; echo $((now / 1000)); }

# Asks for the close with COMMAND and waits up to 5 s for the program to
# end. Sets exitStatus; closeAtMs and endedAtMs, when the close was asked
# for and when the program was seen gone; and closeMark, the number of lines window-watch had printed before the close.
closeProgram() {
    closeMark=0
    if [ -f "$work/watch" ]; then closeMark=$(grep -c . "$work/watch" || true); fi
    local output _
    closeAtMs=$(epochMs)
    output=$("$@" 2>&1) || fail "the close request '$*' failed with status $?: $(tr -s ' \n' ' ' <<<"$output")"
    for _ in $(seq 250); do kill -0 "$app" 2>/dev/null || break; sleep 0.02; done
    endedAtMs=$(epochMs)
    if kill -0 "$app" 2>/dev/null; then
        fail "waited 5 s for the program to end after the close; it is still running"
    fi
    exitStatus=0
    wait "$app" || exitStatus=$?
    app=''
}

# The glide stops at glideLimitMs however far it got. What a busy machine
# may add to the times seen from outside before a glide counts as late to
# start, as running on past that limit, or a program as slow to end after
# it; the developers' guide says how these were measured.
glideLimitMs=1700
glideStartMs=1000
glideOverrunMs=300
glideEndMs=1500

# Judges a glide by its passes and by when each reached the display:
#   expectGlideInTime EXPECTED TIMES [EXPECTED_TEXT]
# TIMES is a file with one line a pass: when it reached the display, in
# milliseconds since the epoch. EXPECTED is the number of passes of a whole
# glide, which EXPECTED_TEXT says where it is not known exactly ("at least
# 357"). A glide that falls short passes only if it ran into its time limit,
# as it does by design on a slow machine, and then says so: its last pass
# came glideLimitMs after the close, or would have been followed by one
# that did. The glide checks its time after each pass, and the last pass's
# drawing, between its request and that check, cannot be seen; the
# longest time between two passes stands for it. A glide that stopped
# early with time to spare fails, as does one late to start or running on
# past its limit, or a program slow to end after it. Prints what it saw.
expectGlideInTime() {
    local expected=$1 times=$2 expectedText=${3:-$1}
    local passes first last longest
    read -r passes first last longest < <(awk '
        !/^[0-9]+$/ { bad = 1 }
        NR == 1 { first = $1 }
        NR > 1 && $1 - last > longest { longest = $1 - last }
        { last = $1 }
        END { if (bad) print -1; else printf "%d %.0f %.0f %d\n", NR, first, last, longest }' "$times")
    [ "$passes" != -1 ] || fail "a pass without a time: $(tr '\n' ' ' <"$times")"
    [ "$passes" -gt 0 ] || fail "the glide made no pass (exit status $exitStatus)"
    local toFirst=$((first - closeAtMs)) running=$((last - first)) toLast=$((last - closeAtMs))
    local after=$((endedAtMs - last))
    echo "the glide: $passes of $expectedText passes in ${running} ms from the first to the last, at most" \
        "${longest} ms apart; the first ${toFirst} ms and the last ${toLast} ms after the close," \
        "the end ${after} ms after that"
    [ "$exitStatus" -eq 0 ] || fail "exit status $exitStatus after the close"
    [ "$passes" -le "$expected" ] || fail "the glide made $passes passes, expected $expected"
    [ "$toFirst" -le "$glideStartMs" ] \
        || fail "the glide's first pass came $toFirst ms after the close; a busy machine may take $glideStartMs ms"
    [ "$running" -le $((glideLimitMs + glideOverrunMs)) ] \
        || fail "the glide ran for $running ms from its first pass to its last, past its limit of $glideLimitMs ms" \
            "and the $glideOverrunMs ms a busy machine may add"
    [ "$after" -le "$glideEndMs" ] \
        || fail "the program ended $after ms after the glide's last pass; a busy machine may take $glideEndMs ms"
    if [ "$passes" -lt "$expected" ]; then
        [ $((toLast + longest)) -ge "$glideLimitMs" ] \
            || fail "the glide stopped after $passes of $expectedText passes, its last $toLast ms after the close" \
                "and the passes at most $longest ms apart: with time to spare before its limit of $glideLimitMs ms"
        echo "NOTE: the glide ended at its time limit, not at the screen's edge: $passes of $expectedText passes," \
            "the last $toLast ms after the close; a slow or busy machine does that by design"
    fi
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
        if grep -q '^frame' "$work/watch" 2>/dev/null; then return 0; fi
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

# Waits up to 5 s for the keyboard focus to reach the window: activated
# through the window manager, a Wine window takes the focus itself when
# openbox asks it to (WM_TAKE_FOCUS), which on a busy machine comes late.
expectFocus() {
    local focused='' _
    for _ in $(seq 50); do
        focused=$(xdotool getwindowfocus)
        [ "$focused" != "$window" ] || return 0
        sleep 0.1
    done
    fail "waited 5 s for the keyboard focus; it is on window $focused, not on the program's $window"
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
# holds, asking for up to 10 s.
fieldText() {
    click "$1"
    # The xclip left behind as the clipboard's owner keeps its output open;
    # it must not be this command substitution's pipe, or a failed copy
    # would leave the caller waiting for xclip instead of failing.
    printf '' | xclip -selection clipboard >/dev/null 2>>"$work/xclip.log"
    local text='' i
    for i in $(seq 0 99); do
        # Copied again every 2 s: Wine takes a new owner's text into the
        # Windows clipboard, and when it does so late on a busy machine it
        # overwrites the program's copy, and no longer offers one itself.
        [ $((i % 20)) != 0 ] || xdotool key Home shift+End ctrl+Insert
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
    [ "$text" = "$expected" ] || fail "${what}waited 10 s for $field on the clipboard and read '$text'"
}

# Bells rung on the display, as window-watch heard them.
bells() { grep -c '^bell ' "$work/watch" || true; }

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

# The frame as it stood before the close, and every frame seen after it.
glideFrames() {
    head -n "$closeMark" "$work/watch" | sed -n 's/^frame //p' | tail -n 1
    sinceClose frame
}

# What a person saw while the window closed: the frame in at least 30
# places, never larger and never further up or left than the one before.
expectGlideSeen() {
    local positions backwards
    positions=$(framePositions)
    [ "$positions" -ge 30 ] \
        || fail "saw only $positions frame positions while closing; frames: $(sinceClose frame | tr '\n' ';')"
    backwards=$(glideFrames | awk 'NR > 1 && ($1 < x || $2 < y || $3 > w || $4 > h) {
                                            print "frame " NR ": " $0 " after " x " " y " " w " " h; exit}
                                        {x = $1; y = $2; w = $3; h = $4}')
    [ -z "$backwards" ] || fail "the frame grew or went back while closing: $backwards"
}
