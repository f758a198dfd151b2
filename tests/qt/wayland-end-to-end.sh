#!/usr/bin/env bash
# The real program under a headless Wayland compositor (sway): type with
# wtype as a person would, read the results back through the clipboard,
# hear the bell a refused key rings, then close the window and see the
# program end.
# Usage: wayland-end-to-end.sh path/to/marrowvale
set -Eeuo pipefail

binary=$(realpath "$1")
for tool in sway swaymsg wtype wl-copy wl-paste setpriv; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=tests/support/end-to-end.sh
source "$(dirname "$0")/../support/end-to-end.sh"

work=$(mktemp -d)
# The compositor's own directory, for its sockets and its configuration;
# in /tmp, which every user can reach.
runtime=$(mktemp -d /tmp/marrowvale-sway.XXXXXX)
sway='' holder=()
showOnFailure "$work/app.log" 20
showOnFailure "$work/sway.log" 20
cleanup() {
    endProcesses "$app" "${holder[@]}" "$sway"
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT
trap 'fail "line $LINENO: \"$BASH_COMMAND\" exited with status $?"' ERR

# sway refuses to run as root; CI runs as root, so there it runs as nobody,
# which cannot read the build tree: all it needs is in its own directory.
asCompositor=()
if [ "$(id -u)" -eq 0 ]; then
    asCompositor=(setpriv --reuid nobody --regid nogroup --clear-groups)
    chown nobody:nogroup "$runtime"
fi
chmod 700 "$runtime"
cat >"$runtime/config" <<'EOF'
xwayland disable
for_window [title="^Marrowvale$"] floating enable
EOF
chmod 644 "$runtime/config"
(
    cd /
    exec env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK HOME="$runtime" XDG_RUNTIME_DIR="$runtime" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        "${asCompositor[@]}" sway -c "$runtime/config"
) >"$work/sway.log" 2>&1 &
sway=$!

socket='' ipc=''
for _ in $(seq 100); do
    socket=$(find "$runtime" -maxdepth 1 -type s -name 'wayland-*' | head -n 1)
    ipc=$(find "$runtime" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n 1)
    [ -n "$socket" ] && [ -n "$ipc" ] && break
    kill -0 "$sway" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$socket" ] || [ -z "$ipc" ]; then
    fail "waited 10 s for sway's Wayland and IPC sockets; found '$socket' and '$ipc';" \
        "sway is $(kill -0 "$sway" 2>/dev/null && echo running || echo gone)"
fi
# A path, so that no client needs the compositor's XDG_RUNTIME_DIR.
export WAYLAND_DISPLAY=$socket SWAYSOCK=$ipc

# With no input devices the seat has a keyboard only while a virtual one
# exists; each wtype brings its own and takes it away again, and the
# program's first key would be lost while it binds the keyboard anew. One
# wtype kept waiting on a pipe keeps the seat's keyboard for the whole run.
mkfifo "$work/hold"
sleep 300 >"$work/hold" &
holder+=($!)
wtype - <"$work/hold" &
holder+=($!)
inputs=''
for _ in $(seq 50); do
    inputs=$(swaymsg -t get_inputs 2>&1 || true)
    [[ $inputs == *'"type": "keyboard"'* ]] && break
    sleep 0.1
done
[[ $inputs == *'"type": "keyboard"'* ]] || fail "waited 5 s for the seat to have a keyboard; sway's inputs: $inputs"

# Forced, whatever the caller's platform. libcanberra plays the bell into a
# file through ALSA's file plugin, so that it is heard without a sound card.
# WAYLAND_DEBUG has libwayland log every message with its time: what the
# program asks of the compositor while it closes, as window-watch shows it
# on X11.
WAYLAND_DEBUG=client QT_QPA_PLATFORM=wayland CANBERRA_DRIVER=alsa \
    CANBERRA_DEVICE="file:FILE=$work/bell.raw,FORMAT=raw" "$binary" >"$work/app.log" 2>&1 &
app=$!
window='[title="^Marrowvale$" floating]'
for _ in $(seq 100); do
    swaymsg "$window focus" >/dev/null 2>&1 && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
if ! swaymsg "$window focus" >/dev/null 2>&1; then
    if grep -q 'Qt platform plugin "wayland"' "$work/app.log"; then
        echo "SKIP: Qt's Wayland platform plugin is not installed (qt6-wayland)"
        exit 77
    fi
    fail "no floating window titled 'Marrowvale' took the focus (waited up to 10 s)"
fi

keys() { wtype "$@" || fail "wtype $* failed"; }
# Copies the focused field to the clipboard and prints it.
focusedFieldText() {
    wl-copy --clear
    keys -k Home -M shift -k End -m shift -M ctrl -k Insert -m ctrl
    local text='' _
    for _ in $(seq 100); do
        text=$(timeout 5 wl-paste --no-newline 2>/dev/null </dev/null) || true
        [ -n "$text" ] && break
        sleep 0.1
    done
    printf '%s' "$text"
}
bellBytes() { stat -c %s "$work/bell.raw" 2>/dev/null || echo 0; }

# The focus starts in the price field.
keys "25"
[ "$(canberraLoaded)" = 0 ] || fail "libcanberra was loaded before any bell rang"
keys "x"
for _ in $(seq 100); do [ "$(bellBytes)" -gt 0 ] && break; sleep 0.1; done
bell=$(bellBytes)
[ "$bell" -gt 0 ] || fail "waited 10 s for the refused letter's bell to be played; libcanberra is" \
    "$([ "$(canberraLoaded)" = 0 ] && echo "not ")loaded"
keys "000"
# Tab order: Text1, Text2, Text3, Command1, Command2, Text4 (out of sight,
# where a conversion leaves the focus).
keys -k Tab "0.5" -k Tab -k Tab -k space
keys -M shift -k Tab -k Tab -k Tab -m shift
result=$(focusedFieldText)
[ "$result" = "12500.00" ] || fail "bitcoin to money: waited 10 s for Text3 on the clipboard and read '$result'"

keys "100" -k Tab -k Tab -k space  # replaces the selected money amount
keys -M shift -k Tab -k Tab -k Tab -k Tab -m shift
result=$(focusedFieldText)
[ "$result" = "0.00400000" ] || fail "money to bitcoin: waited 10 s for Text2 on the clipboard and read '$result'"
keys -M shift -k Tab -m shift
price=$(focusedFieldText)
[ "$price" = "25000" ] || fail "waited 10 s for Text1 on the clipboard and read '$price'"

screenWidth=$(swaymsg -t get_outputs -r | tr -d ' \n' | grep -o '"rect":{[^}]*}' | head -n 1 \
                  | grep -o '"width":[0-9]*' | cut -d: -f2)
closeProgram swaymsg "$window kill"
# Each pass sets the window's size, from the close event the program got to
# its end: Qt 6.4 (Debian 12) with one xdg_surface.set_window_geometry, Qt
# 6.8 (Debian 13) with one wp_viewport.set_destination, followed by one or
# two set_window_geometry. Qt 6.8 also answers each configure event of the
# compositor, up to its ack_configure, with the size the event names: not a
# pass. libwayland stamps each line with the microseconds of the system
# clock, cut to 32 bits; against the close request's, it becomes a time. It
# writes an object as interface@id up to 1.22 and interface#id from 1.23 on.
awk -v closeUs="$(( closeAtMs * 1000 % 4294967296 ))" -v closeMs="$closeAtMs" '
    function when(   stamp, us) {
        stamp = $0; sub(/^\[ */, "", stamp); sub(/\].*/, "", stamp)
        us = (int(stamp * 1000 + 0.5) - closeUs) % 4294967296
        if (us < 0) us += 4294967296
        if (us >= 2147483648) us -= 4294967296
        return sprintf("%.0f\n", closeMs + int(us / 1000))
    }
    /xdg_toplevel[@#][0-9]+\.close\(\)/ { closed = 1; viewport = geometry = "" }
    /[^>] xdg_surface[@#][0-9]+\.configure\(/ { answering = 1 }
    / -> xdg_surface[@#][0-9]+\.ack_configure\(/ { answering = 0 }
    closed && !answering && / -> wp_viewport[@#][0-9]+\.set_destination\(/ { viewport = viewport when() }
    closed && !answering && / -> xdg_surface[@#][0-9]+\.set_window_geometry\(/ { geometry = geometry when() }
    END { printf "%s", viewport != "" ? viewport : geometry }' "$work/app.log" >"$work/passes"
# Wayland tells a window nothing of where it is: Qt takes its top to be 0.
expectedPasses=$(( screenWidth / 2 + 1 ))
echo "closing: exit status $exitStatus; the bell played $bell bytes of sound"
expectGlideInTime "$expectedPasses" "$work/passes"
echo "PASS"
