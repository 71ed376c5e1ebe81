#!/usr/bin/env bash
# Edit > Copy of the chart through the real X clipboard (run inside
# with_x.sh): after Draw/Redraw and Ctrl+Insert, the clipboard offers the
# chart as a PNG of the chart's shape in the chart's colours and as SVG, and
# the text that was there before is gone.
#   clipboard_copy.sh HYGRANA
set -uo pipefail
# shellcheck source=tests/e2e/window_session.sh
source "$(dirname "$0")/window_session.sh" clip
echo "text that was there" | xclip -selection clipboard -i
start_window "$1"
keys alt+c d # Chart > Draw/Redraw
sleep 0.5
keys ctrl+Insert
for _ in $(seq 1 100); do
    targets=$(timeout 5 xclip -selection clipboard -t TARGETS -o 2>/dev/null)
    grep -q '^image/png$' <<<"$targets" && break
    sleep 0.1
done
grep -q '^image/png$' <<<"$targets" || say_fail "no image on the clipboard; targets: $(echo $targets)"
grep -q '^image/svg+xml$' <<<"$targets" || say_fail "no SVG on the clipboard; targets: $(echo $targets)"
grep -qE '^(UTF8_STRING|text/plain)' <<<"$targets" && say_fail "the old text is still offered"

timeout 10 xclip -selection clipboard -t image/png -o >"$tmp/chart.png"
# The chart's shape (0.7 high for 1 wide) at the window's size; many colours, some strongly saturated;
# mostly white paper.
read -r w h colours < <(identify -format '%w %h %k' "$tmp/chart.png" 2>/dev/null) || true
sat=$(convert "$tmp/chart.png" -colorspace HSL -channel G -separate -format '%[fx:maxima]' info: 2>/dev/null)
mean=$(convert "$tmp/chart.png" -colorspace Gray -format '%[fx:mean]' info: 2>/dev/null)
awk -v w="${w:-0}" -v h="${h:-0}" 'BEGIN { exit !(w > 300 && h / w > 0.68 && h / w < 0.72) }' ||
    say_fail "picture of ${w:-?}x${h:-?}"
[ "${colours:-0}" -gt 5 ] || say_fail "only ${colours:-no} colours"
awk -v s="${sat:-0}" -v m="${mean:-0}" 'BEGIN { exit !(s > 0.5 && m > 0.6) }' ||
    say_fail "saturation maximum ${sat:-?}, mean grey ${mean:-?}"
[[ "$(timeout 10 xclip -selection clipboard -t image/svg+xml -o)" == *'<svg'* ]] || say_fail "the SVG is not SVG"
exit $fail
