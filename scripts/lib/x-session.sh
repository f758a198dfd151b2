# shellcheck shell=bash
# A private X display for scripts and tests: Xvfb on a display number of its
# own choosing, and optionally openbox on it. Source this file, then:
#   startXvfb WORKDIR [WIDTHxHEIGHTxDEPTH]   exports DISPLAY once a client
#                                            can connect to it
#   startOpenbox WORKDIR                     returns once it manages windows;
#                                            if openbox fails, it says so and
#                                            tries once more on a new display
#   stopXSession                             ends both; call it from an EXIT trap
# Each start prints what it waited for and what it saw when it fails, and
# returns 1. Logs go to WORKDIR.

xSessionPids=()
xSessionScreen=''
xSessionSeen=''

# Runs COMMAND every 50 ms, for up to 10 s and while PID lives, until it
# succeeds.
pollWhileAlive() {
    local pid=$1 _
    shift
    for _ in $(seq 200); do
        "$@" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# Says why pollWhileAlive gave up: WAITED while PID lives, ENDED once it is
# gone.
failedWait() {
    if kill -0 "$1" 2>/dev/null; then echo "FAIL: $2"; else echo "FAIL: $3"; fi
}

# Each leaves what it saw in xSessionSeen, for the message if it never
# succeeds.
xClientGetsThrough() { xSessionSeen=$(xprop -root _XKB_RULES_NAMES 2>&1); }
openboxManages() {
    xSessionSeen=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>&1 || true)
    [[ $xSessionSeen == *"window id"* ]]
}

startXvfb() {
    local work=$1 screen=${2:-1024x768x24}
    xSessionScreen=$screen
    # -displayfd: Xvfb picks a free display and writes its number once it
    # accepts connections, so parallel runs never race for one.
    # -noreset: an X server that loses its last client resets, and drops
    # every connection still in its set-up. A client polling the display
    # that left just as openbox connected took openbox's connection with it,
    # and openbox ended with "Failed to open the display".
    # Emptied first: the retry after a failed openbox reuses WORKDIR, and
    # the last server's number must not be read before the new one's.
    : >"$work/display"
    Xvfb -displayfd 3 -noreset -screen 0 "$screen" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xSessionPids+=($!)
    local pid=$!
    if ! pollWhileAlive "$pid" test -s "$work/display"; then
        {
            failedWait "$pid" "waited 10 s for Xvfb to report its display number; it wrote nothing. Its log:" \
                "Xvfb ended before reporting its display number. Its log:"
            cat "$work/xvfb.log"
        } >&2
        return 1
    fi
    DISPLAY=":$(tr -d '\n' <"$work/display")"
    export DISPLAY
    # Nothing else starts until a client has got through.
    pollWhileAlive "$pid" xClientGetsThrough && return 0
    {
        failedWait "$pid" "waited 10 s for a client to connect to $DISPLAY, which Xvfb reported; the last try said:" \
            "Xvfb ended after reporting $DISPLAY, before a client could connect; the last try said:"
        echo "$xSessionSeen"
        echo "Xvfb's log:"
        cat "$work/xvfb.log"
    } >&2
    return 1
}

startOpenbox() {
    local work=$1
    runOpenbox "$work" 2>"$work/openbox-try" && return 0
    # Whatever kept openbox from the display may be the display's: a new
    # server, once.
    {
        echo "NOTE: openbox did not start on $DISPLAY; trying once more on a new display. The first try:"
        sed 's/^FAIL: //' "$work/openbox-try"
    } >&2
    stopXSession
    local log
    for log in openbox xvfb; do mv "$work/$log.log" "$work/$log-first.log" 2>/dev/null || true; done
    startXvfb "$work" "$xSessionScreen" || return 1
    if runOpenbox "$work"; then
        echo "NOTE: openbox manages $DISPLAY at the second try" >&2
        return 0
    fi
    return 1
}

# Starts openbox and waits for it to manage the display; on failure, says
# why on stderr, with both logs, and returns 1.
runOpenbox() {
    local work=$1
    # An empty but valid configuration: openbox's defaults, and not the
    # user's. Given /dev/null instead, openbox puts up a dialog about XML
    # syntax errors, which would sit beside the window under test.
    echo '<openbox_config xmlns="http://openbox.org/3.4/rc"/>' >"$work/openbox.xml"
    openbox --config-file "$work/openbox.xml" >"$work/openbox.log" 2>&1 &
    xSessionPids+=($!)
    local pid=$!
    pollWhileAlive "$pid" openboxManages && return 0
    {
        failedWait "$pid" "waited 10 s for openbox to manage $DISPLAY; the root's _NET_SUPPORTING_WM_CHECK is:" \
            "openbox ended before managing $DISPLAY; the root's _NET_SUPPORTING_WM_CHECK is:"
        echo "$xSessionSeen"
        echo "openbox's log:"
        cat "$work/openbox.log"
        echo "Xvfb is $(kill -0 "${xSessionPids[0]}" 2>/dev/null && echo running || echo gone); its log:"
        cat "$work/xvfb.log"
    } >&2
    return 1
}

stopXSession() {
    local pid i
    # The window manager first: without its display it would only complain.
    for ((i = ${#xSessionPids[@]} - 1; i >= 0; i--)); do
        pid=${xSessionPids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    xSessionPids=()
}
