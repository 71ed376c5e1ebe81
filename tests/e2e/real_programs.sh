#!/usr/bin/env bash
# The real programs as a user starts them (run inside with_x.sh):
# - hygrana, copied into a folder that holds "DATA", opens its window with
#   "DATA" as the working folder;
# - a second start of it ends by itself and leaves one window, brought
#   forward from the minimised state;
# - hygrana-cli answers an air-state question and writes a plot file.
#   real_programs.sh HYGRANA HYGRANA_CLI
set -uo pipefail
hygrana=$1 cli=$2
fail=0
say_fail() { echo "FAIL $*"; fail=1; }

tmp=$(mktemp -d)
cleanup() {
    [ -n "${first:-}" ] && kill "$first" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
mkdir -p "$tmp/app/DATA" "$tmp/home" "$tmp/run"
chmod 700 "$tmp/run"
cp "$hygrana" "$tmp/app/hygrana"
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" HYGRANA_INSTANCE_KEY="hygrana-e2e-$$"
title="Corvane Ver 5.0 for Win32"

# First start, from another folder.
(cd "$tmp" && exec "$tmp/app/hygrana") >"$tmp/first.log" 2>&1 &
first=$!
if ! win=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1); then
    say_fail "no window appeared"; cat "$tmp/first.log"; exit 1
fi
[ "$(readlink "/proc/$first/cwd")" = "$tmp/app/DATA" ] ||
    say_fail "working folder is $(readlink "/proc/$first/cwd"), not $tmp/app/DATA"

# Second start while the first is minimised: it ends on its own (status 0)
# and the first window comes back.
xdotool windowminimize --sync "$win"
if ! timeout 20 "$tmp/app/hygrana" >"$tmp/second.log" 2>&1; then
    say_fail "the second start did not end cleanly"; cat "$tmp/second.log"
fi
kill -0 "$first" 2>/dev/null || say_fail "the first copy ended"
# The first window may still be on its way back from the minimised state.
for _ in $(seq 1 100); do
    count=$(xdotool search --onlyvisible --name "^$title\$" | wc -l)
    [ "$count" = 1 ] && break
    sleep 0.05
done
[ "$count" = 1 ] || say_fail "$count windows after the second start"
for _ in $(seq 1 100); do
    xprop -id "$win" _NET_WM_STATE | grep -q HIDDEN || break
    sleep 0.05
done
xprop -id "$win" _NET_WM_STATE | grep -q HIDDEN && say_fail "the first window stayed minimised"

# The command line tool.
out=$("$cli" air 760 25 10) || say_fail "hygrana-cli air failed"
[ "$(echo "$out" | awk '{print NF}')" = 6 ] || say_fail "hygrana-cli air printed '$out'"
# Six property codes of 25 deg C, 10 g/kgDA at 760 mmHg: relative humidity near 50 %.
echo "$out" | awk '{exit !($3 > 50 && $3 < 51.5)}' || say_fail "relative humidity in '$out'"
"$cli" plot "$tmp/chart.pgl" || say_fail "hygrana-cli plot failed"
head -c 3 "$tmp/chart.pgl" | grep -q '^IN' || say_fail "the plot file does not start with IN"
"$cli" air 760 abc 10 2>/dev/null
[ $? = 2 ] || say_fail "bad input did not give status 2"

exit $fail
