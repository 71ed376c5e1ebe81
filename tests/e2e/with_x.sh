#!/usr/bin/env bash
# Runs a command inside a private X session: a fresh Xvfb display and the
# openbox window manager, so windows get real frames, focus and resizes.
# Usage: with_x.sh [--size WxH] COMMAND [ARGS...]
# The command sees DISPLAY; Xvfb and openbox are stopped when it ends, and
# its exit status is returned.
set -uo pipefail
size=1600x1000
[ "${1:-}" = "--size" ] && size=$2 && shift 2
tmp=$(mktemp -d)
trap 'kill ${wm_pid:-} ${x_pid:-} 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT

# Let Xvfb pick a free display number and tell us which.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
x_pid=$!
for _ in $(seq 1 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
if [ ! -s "$tmp/display" ]; then
    echo "with_x: Xvfb did not start" >&2
    cat "$tmp/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$tmp/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
# Wait until the window manager owns the screen.
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
"$@"
