#!/usr/bin/env bash
# The chart view of the real program under a window manager: at several
# window sizes and maximised, a zoomed chart keeps both scroll bars inside
# the client area above the status bar; the wheel and Shift+wheel scroll; a
# rectangle of two degrees fills the view (the read-outs at the view's
# corners are those at the dragged corners); ten nested zooms leave the
# resident memory within 50 MB of that after the first drawing. The program
# logs its view (HYGRANA_VIEW_LOG) after every change.
#   chart_view.sh HYGRANA (inside with_x.sh)
set -uo pipefail
# shellcheck source=tests/e2e/window_session.sh
source "$(dirname "$0")/window_session.sh" view
export HYGRANA_VIEW_LOG=$tmp/view.log
fail() {
    echo "FAIL: $*" >&2
    tail -n 3 "$HYGRANA_VIEW_LOG" >&2
    import -window root "${E2E_SHOT:-/dev/null}" 2>/dev/null
    exit 1
}
last() { echo " $(tail -n 1 "$HYGRANA_VIEW_LOG" 2>/dev/null)"; }
field() { last | grep -o " $1=[^ ]*" | cut -d= -f2; }
readout() { last | sed -n "s/.* $1=\[\([^]]*\)\].*/\1/p"; } # pointer, topleft or bottomright
dry_bulb() { sed -n 's/^D\.B\. \([-0-9.]*\) .*/\1/p' <<<"$1"; }
abs_hum() { sed -n 's/.*   x \([0-9.]*\) .*/\1/p' <<<"$1"; }
wait_for() { # at most 10 s for the last logged view to match
    for _ in $(seq 1 200); do last | grep -Eq -- "$1" && return 0; sleep 0.05; done
    fail "waiting for: $1"
}
pointer_after() { # the read-out once it differs from $1 and holds still a moment (at most 5 s)
    local now
    for _ in $(seq 1 100); do
        now=$(readout pointer)
        if [ -n "$now" ] && [ "$now" != "$1" ]; then
            sleep 0.1
            [ "$(readout pointer)" = "$now" ] && echo "$now" && return 0
        fi
        sleep 0.05
    done
    return 1
}
command_key() { # the Chart menu's item by its access key: d(raw), i(n), o(ut)
    local before try
    before=$(field drawn)
    # The menu opens asynchronously: a moment for it, and again (after closing it) if nothing was run.
    for try in 1 2 3; do
        xdotool key --clearmodifiers alt+c sleep 0.15 key "$1"
        for _ in $(seq 1 40); do [ "$(field drawn)" -gt "$before" ] && return 0; sleep 0.05; done
        xdotool key Escape Escape
    done
    fail "the Chart menu did not run '$1'"
}
shade_centre() { local x y w h; IFS=, read -r x y w h <<<"$(field shade)"; echo "$((x + w / 2)) $((y + h / 2))"; }
zoom_at_centre() {
    read -r cx cy <<<"$(shade_centre)"
    xdotool mousemove "$cx" "$cy" mousedown 1 mousemove $((cx + 20)) $((cy + 14)) mousemove $((cx + 40)) $((cy + 28)) \
        mouseup 1
    command_key i
}
inside() { # rect "x,y,w,h" inside rect, the right and bottom edges too
    local ax ay aw ah bx by bw bh
    IFS=, read -r ax ay aw ah <<<"$1"
    IFS=, read -r bx by bw bh <<<"$2"
    [ "$ax" -ge "$bx" ] && [ "$ay" -ge "$by" ] && [ $((ax + aw)) -le $((bx + bw)) ] && [ $((ay + ah)) -le $((by + bh)) ]
}
bars_inside() {
    local client=$(field client) status=$(field status) vsb=$(field vsb) hsb=$(field hsb) sy y h
    [ "$vsb" != hidden ] && [ "$hsb" != hidden ] || fail "$1: the scroll bars are hidden on a zoomed chart"
    inside "$vsb" "$client" || fail "$1: vertical bar $vsb outside the client area $client"
    inside "$hsb" "$client" || fail "$1: horizontal bar $hsb outside the client area $client"
    IFS=, read -r _ sy _ _ <<<"$status"
    IFS=, read -r _ y _ h <<<"$hsb"
    [ $((y + h)) -le "$sy" ] || fail "$1: horizontal bar $hsb reaches into the status bar $status"
    echo "$1: client $client, vertical bar $vsb, horizontal bar $hsb, status bar $status"
}
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$app/status"; }

start_window "$1"
xdotool windowsize --sync "$win" 1280 800
wait_for " drawn=0 "
command_key d
rss_first=$(rss_kb)
# Zoomed at 1280 x 800, then resized while zoomed, and zoomed again at each size; then maximised.
zoom_at_centre
bars_inside "1280x800"
for size in "800 560" "1024 700" "900 650" max; do
    if [ "$size" = max ]; then
        wmctrl -i -r "$win" -b add,maximized_vert,maximized_horz
        wait_for " client=[0-9]+,[0-9]+,1[0-9]{3},"
    else
        xdotool windowsize --sync "$win" $size
    fi
    sleep 0.2
    bars_inside "$size, still zoomed"
    command_key o
    zoom_at_centre
    bars_inside "$size, zoomed again"
done

# The wheel: down a notch, Shift sideways, never past the top.
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

# A rectangle of two degrees of dry bulb at the chart's proportion: the zoomed view shows exactly it.
command_key o
read -r cx cy <<<"$(shade_centre)"
x0=$((cx - 60)) y0=$((cy - 40))
# Each read-out is taken once it has followed the pointer (a busy machine lags behind xdotool).
p=$(readout pointer)
xdotool mousemove "$x0" "$y0"
p0=$(pointer_after "$p") || fail "no read-out at the rectangle's corner"
xdotool mousemove $((x0 + 100)) "$y0"
p1=$(pointer_after "$p0") || fail "the read-out did not follow the pointer"
w=$(awk -v a="$(dry_bulb "$p0")" -v b="$(dry_bulb "$p1")" 'BEGIN { printf "%d", 2 * 100 / (b - a) + 0.5 }')
h=$(awk -v w="$w" 'BEGIN { printf "%d", 0.7 * w + 0.5 }')
xdotool mousemove "$x0" "$y0"
start=$(pointer_after "$p1") || fail "the read-out did not return to the corner"
xdotool mousedown 1 mousemove $((x0 + w / 2)) $((y0 + h / 2)) mousemove $((x0 + w)) $((y0 + h))
end=$(pointer_after "$start") || fail "the read-out did not follow the drag"
xdotool mouseup 1
command_key i
tl=$(readout topleft) br=$(readout bottomright)
echo "dragged ${w}x${h} px: [$start] to [$end]; the view shows [$tl] to [$br]"
# One pixel of the fitted chart is about 0.05 deg C and 0.00006 kg/kgDA; the read-out shows 0.1 deg C and
# 0.0001 kg/kgDA.
awk -v a="$(dry_bulb "$start")" -v b="$(dry_bulb "$end")" -v c="$(dry_bulb "$tl")" -v d="$(dry_bulb "$br")" \
    -v xa="$(abs_hum "$start")" -v xb="$(abs_hum "$end")" -v xc="$(abs_hum "$tl")" -v xd="$(abs_hum "$br")" '
    function near(u, v, e) { return u - v <= e && v - u <= e }
    BEGIN { exit !(c != "" && d != "" && near(a, c, 0.15) && near(b, d, 0.15) && near(xa, xc, 0.00015) &&
                   near(xb, xd, 0.00015)) }' || fail "the zoomed view does not show the dragged rectangle"

# Ten nested Zoom Ins, each into a click at the view's centre.
for _ in $(seq 1 10); do
    read -r cx cy <<<"$(shade_centre)"
    xdotool mousemove "$cx" "$cy" click 1
    command_key i
done
rss_deep=$(rss_kb)
echo "resident memory: $((rss_first / 1024)) MB after the first drawing, $((rss_deep / 1024)) MB after ten nested" \
    "Zoom Ins (canvas $(field canvas) twips)"
[ $((rss_deep - rss_first)) -le $((50 * 1024)) ] || fail "memory grew by $(((rss_deep - rss_first) / 1024)) MB"
echo "3 passed, 0 failed"
