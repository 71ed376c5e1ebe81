#!/usr/bin/env bash
# The real programs as a user starts them (run inside with_x.sh):
# - hygrana, copied into a folder that holds "DATA", opens its window with
#   "DATA" as the working folder;
# - a second start of it ends by itself and leaves one window, brought
#   forward from the minimised state;
# - hygrana-cli answers an air-state question and writes a plot file.
#   real_programs.sh HYGRANA HYGRANA_CLI
set -uo pipefail
cli=$2
# shellcheck source=tests/e2e/window_session.sh
source "$(dirname "$0")/window_session.sh" e2e
mkdir -p "$tmp/app/DATA"
cp "$1" "$tmp/app/hygrana"
cd "$tmp" && start_window "$tmp/app/hygrana" # from another folder
[ "$(readlink "/proc/$app/cwd")" = "$tmp/app/DATA" ] || say_fail "working folder $(readlink "/proc/$app/cwd")"

# A second start while the first is minimised ends on its own (status 0); the first window comes back.
xdotool windowminimize --sync "$win"
timeout 20 "$tmp/app/hygrana" >"$tmp/second.log" 2>&1 || say_fail "the second start did not end: $(cat "$tmp/second.log")"
kill -0 "$app" 2>/dev/null || say_fail "the first copy ended"
for _ in $(seq 1 100); do # the first window may still be on its way back
    count=$(xdotool search --onlyvisible --name "^$window_title\$" | wc -l)
    [ "$count" = 1 ] && ! xprop -id "$win" _NET_WM_STATE | grep -q HIDDEN && break
    sleep 0.05
done
[ "$count" = 1 ] || say_fail "$count windows after the second start"
xprop -id "$win" _NET_WM_STATE | grep -q HIDDEN && say_fail "the first window stayed minimised"

# The command line tool: six property codes of 25 deg C, 10 g/kgDA at 760 mmHg, the relative humidity
# near 50 %; a plot file; status 2 for bad input.
out=$("$cli" air 760 25 10) || say_fail "hygrana-cli air failed"
awk '{ exit !(NF == 6 && $3 > 50 && $3 < 51.5) }' <<<"$out" || say_fail "hygrana-cli air printed '$out'"
"$cli" plot "$tmp/chart.pgl" || say_fail "hygrana-cli plot failed"
head -c 3 "$tmp/chart.pgl" | grep -q '^IN' || say_fail "the plot file does not start with IN"
"$cli" air 760 abc 10 2>/dev/null
[ $? = 2 ] || say_fail "bad input did not give status 2"
exit $fail
