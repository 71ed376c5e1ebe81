#!/usr/bin/env bash
# The chart view of the real program under a window manager: at several
# window sizes and maximised, a zoomed chart keeps both scroll bars inside
# the client area above the status bar; the wheel and Shift+wheel scroll; a
# rectangle of two degrees fills the view (the read-outs at the view's
# corners are those at the dragged corners); ten nested zooms leave the
# resident memory within 50 MB of that after the first drawing.
# Usage (inside tests/e2e/with_x.sh): chart_view.sh HYGRANA_EXECUTABLE
set -euo pipefail
app=$1
tmp=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run HYGRANA_VIEW_LOG=$tmp/view.log
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

fail() {
    echo "FAIL: $*" >&2
    tail -n 3 "$HYGRANA_VIEW_LOG" >&2 || true
    import -window root "${E2E_SHOT:-/dev/null}" 2>/dev/null || true
    exit 1
}
last() { echo " $(tail -n 1 "$HYGRANA_VIEW_LOG" 2>/dev/null)"; }
field() { last | grep -o " $1=[^ ]*" | cut -d= -f2; }
# A bracketed read-out field: pointer, topleft or bottomright.
readout() { last | sed -n "s/.* $1=\[\([^]]*\)\].*/\1/p"; }
dry_bulb() { sed -n 's/^D\.B\. \([-0-9.]*\) .*/\1/p' <<<"$1"; }
abs_hum() { sed -n 's/.*   x \([0-9.]*\) .*/\1/p' <<<"$1"; }
# Waits (at most 5 s) until the last logged view matches the pattern.
wait_for() {
    for _ in $(seq 1 100); do
        last | grep -Eq -- "$1" && return 0
        sleep 0.05
    done
    fail "waiting for: $1"
}
drawn() { field drawn; }
command_key() { # the Chart menu's item by its access key: d(raw), i(n), o(ut)
    local before try
    before=$(drawn)
    # The menu opens asynchronously: give it a moment, and try again (after
    # closing whatever opened) if the item was not chosen.
    for try in 1 2 3; do
        xdotool key --clearmodifiers alt+c
        sleep 0.15
        xdotool key "$1"
        for _ in $(seq 1 40); do
            [ "$(drawn)" -gt "$before" ] && return 0
            sleep 0.05
        done
        xdotool key Escape Escape
    done
    fail "the Chart menu did not run '$1'"
}
# The centre of the viewport on the screen.
shade_centre() {
    local x y w h
    IFS=, read -r x y w h <<<"$(field shade)"
    echo "$((x + w / 2)) $((y + h / 2))"
}
drag() { # x1 y1 x2 y2
    xdotool mousemove "$1" "$2" mousedown 1 mousemove "$(( ($1 + $3) / 2 ))" "$(( ($2 + $4) / 2 ))" \
        mousemove "$3" "$4" mouseup 1
}
zoom_at_centre() {
    local cx cy
    read -r cx cy <<<"$(shade_centre)"
    drag "$cx" "$cy" $((cx + 40)) $((cy + 28))
    command_key i
}
inside() { # rect "x,y,w,h" inside rect: the right and bottom edges too
    local ax ay aw ah bx by bw bh
    IFS=, read -r ax ay aw ah <<<"$1"
    IFS=, read -r bx by bw bh <<<"$2"
    [ "$ax" -ge "$bx" ] && [ "$ay" -ge "$by" ] && [ $((ax + aw)) -le $((bx + bw)) ] && [ $((ay + ah)) -le $((by + bh)) ]
}
bars_inside() {
    local client status vsb hsb sy y h
    client=$(field client) status=$(field status) vsb=$(field vsb) hsb=$(field hsb)
    [ "$vsb" != hidden ] && [ "$hsb" != hidden ] || fail "$1: the scroll bars are hidden on a zoomed chart"
    inside "$vsb" "$client" || fail "$1: vertical bar $vsb outside the client area $client"
    inside "$hsb" "$client" || fail "$1: horizontal bar $hsb outside the client area $client"
    IFS=, read -r _ sy _ _ <<<"$status"
    IFS=, read -r _ y _ h <<<"$hsb"
    [ $((y + h)) -le "$sy" ] || fail "$1: horizontal bar $hsb reaches into the status bar $status"
    echo "$1: client $client, vertical bar $vsb, horizontal bar $hsb, status bar $status"
}
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$pid/status"; }

"$app" &
pid=$!
wid=$(xdotool search --sync --name "^Corvane Ver 5.0 for Win32$" | head -n 1)
xdotool windowactivate --sync "$wid"
xdotool windowsize --sync "$wid" 1280 800
wait_for " drawn=0 "
command_key d
rss_first=$(rss_kb)

# Zoomed at 1280 x 800, then resized while zoomed, and zoomed again at each size.
zoom_at_centre
bars_inside "1280x800"
for size in "800 560" "1024 700" "900 650"; do
    read -r w h <<<"$size"
    xdotool windowsize --sync "$wid" "$w" "$h"
    sleep 0.2
    bars_inside "resized to ${w}x${h}, still zoomed"
    command_key o
    zoom_at_centre
    bars_inside "${w}x${h}, zoomed again"
done
wmctrl -i -r "$wid" -b add,maximized_vert,maximized_horz
wait_for " client=[0-9]+,[0-9]+,1[0-9]{3},"
sleep 0.2
bars_inside "maximised, still zoomed"
command_key o
zoom_at_centre
bars_inside "maximised, zoomed again"

# The wheel: three lines down a notch, Shift sideways, never past the ends.
read -r cx cy <<<"$(shade_centre)"
xdotool mousemove "$cx" "$cy"
v0=$(field v | cut -d/ -f1) h0=$(field h | cut -d/ -f1)
xdotool click 5
wait_for " v=$((v0 + 1))|v=[0-9]{${#v0}}[0-9]*/" >/dev/null
v1=$(field v | cut -d/ -f1)
[ "$v1" -gt "$v0" ] || fail "the wheel did not scroll down ($v0 -> $v1)"
xdotool keydown shift click 5 keyup shift
for _ in $(seq 1 50); do [ "$(field h | cut -d/ -f1)" != "$h0" ] && break; sleep 0.05; done
h1=$(field h | cut -d/ -f1)
[ "$h1" -gt "$h0" ] || fail "Shift+wheel did not scroll sideways ($h0 -> $h1)"
for _ in $(seq 1 40); do
    [ "$(field v | cut -d/ -f1)" = 0 ] && break
    xdotool click --repeat 10 --delay 10 4
    sleep 0.05
done
[ "$(field v | cut -d/ -f1)" = 0 ] || fail "the wheel did not scroll back to the top"
echo "wheel: down $v0 -> $v1, sideways $h0 -> $h1, back up to 0"

# A rectangle of two degrees of dry bulb at the chart's proportion: the
# zoomed view shows exactly it.
command_key o
read -r cx cy <<<"$(shade_centre)"
x0=$((cx - 60)) y0=$((cy - 40))
xdotool mousemove "$x0" "$y0"
wait_for " pointer=\[D"
t0=$(dry_bulb "$(readout pointer)")
xdotool mousemove $((x0 + 100)) "$y0"
wait_for " pointer=\[D\.B\. [^]]*\] topleft"
sleep 0.1
t1=$(dry_bulb "$(readout pointer)")
w=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%d", 2 * 100 / (b - a) + 0.5 }')
h=$(awk -v w="$w" 'BEGIN { printf "%d", 0.7 * w + 0.5 }')
xdotool mousemove "$x0" "$y0"
sleep 0.15
start=$(readout pointer)
xdotool mousedown 1 mousemove $((x0 + w / 2)) $((y0 + h / 2)) mousemove $((x0 + w)) $((y0 + h))
sleep 0.15
end=$(readout pointer)
xdotool mouseup 1
command_key i
tl=$(readout topleft) br=$(readout bottomright)
echo "dragged ${w}x${h} px: [$start] to [$end]; the view shows [$tl] to [$br]"
awk -v a="$(dry_bulb "$start")" -v b="$(dry_bulb "$end")" -v c="$(dry_bulb "$tl")" -v d="$(dry_bulb "$br")" \
    -v xa="$(abs_hum "$start")" -v xb="$(abs_hum "$end")" -v xc="$(abs_hum "$tl")" -v xd="$(abs_hum "$br")" '
    function abs(v) { return v < 0 ? -v : v }
    BEGIN {
        # One pixel of the fitted chart is about 0.05 deg C and 0.00006 kg/kgDA;
        # the read-out shows 0.1 deg C and 0.0001 kg/kgDA.
        ok = c != "" && d != "" && abs(a - c) <= 0.15 && abs(b - d) <= 0.15 && abs(xa - xc) <= 0.00015 && abs(xb - xd) <= 0.00015
        exit ok ? 0 : 1
    }' || fail "the zoomed view does not show the dragged rectangle"

# Ten nested Zoom Ins, each into a click at the view's centre.
for _ in $(seq 1 10); do
    read -r cx cy <<<"$(shade_centre)"
    xdotool mousemove "$cx" "$cy" click 1
    command_key i
done
rss_deep=$(rss_kb)
echo "resident memory: $((rss_first / 1024)) MB after the first drawing, $((rss_deep / 1024)) MB after ten nested Zoom Ins (canvas $(field canvas) twips)"
[ $((rss_deep - rss_first)) -le $((50 * 1024)) ] || fail "memory grew by $(((rss_deep - rss_first) / 1024)) MB"
echo "3 passed, 0 failed"
