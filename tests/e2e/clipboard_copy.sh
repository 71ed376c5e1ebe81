#!/usr/bin/env bash
# Edit > Copy of the chart through the real X clipboard (run inside
# with_x.sh): after Draw/Redraw and Ctrl+Insert, the clipboard offers the
# chart as a PNG of the chart's shape in the chart's colours and as SVG, and
# the text that was there before is gone.
#   clipboard_copy.sh HYGRANA
set -uo pipefail
hygrana=$1
# shellcheck source=tests/e2e/window_session.sh
source "$(dirname "$0")/window_session.sh" clip
start_window "$hygrana"

# Some text on the clipboard first: the copy must replace it.
echo "text that was there" | xclip -selection clipboard -i
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"

# Chart > Draw/Redraw, then Edit > Copy by its shortcut.
xdotool key --window "$win" --delay 150 alt+c d
sleep 0.5
xdotool key --window "$win" ctrl+Insert

targets=""
for _ in $(seq 1 100); do
    targets=$(timeout 5 xclip -selection clipboard -t TARGETS -o 2>/dev/null)
    echo "$targets" | grep -q '^image/png$' && break
    sleep 0.1
done
echo "$targets" | grep -q '^image/png$' || say_fail "no image on the clipboard; targets: $(echo $targets)"
echo "$targets" | grep -q '^image/svg+xml$' || say_fail "no SVG on the clipboard; targets: $(echo $targets)"
echo "$targets" | grep -qE '^(UTF8_STRING|text/plain)' && say_fail "the old text is still offered"

timeout 10 xclip -selection clipboard -t image/png -o >"$tmp/chart.png"
read -r w h < <(identify -format '%w %h' "$tmp/chart.png" 2>/dev/null) || true
if [ -z "${w:-}" ]; then
    say_fail "the clipboard PNG does not read"
else
    # The chart's shape (0.7 high for 1 wide), a window-sized picture.
    awk -v w="$w" -v h="$h" 'BEGIN { exit !(w > 300 && h / w > 0.68 && h / w < 0.72) }' ||
        say_fail "picture of ${w}x${h}"
    # The colour pens: many colours, some of them strongly saturated.
    colours=$(identify -format '%k' "$tmp/chart.png")
    [ "$colours" -gt 5 ] || say_fail "only $colours colours"
    sat=$(convert "$tmp/chart.png" -colorspace HSL -channel G -separate -format '%[fx:maxima]' info:)
    awk -v s="$sat" 'BEGIN { exit !(s > 0.5) }' || say_fail "no saturated colour (maximum $sat)"
    # Mostly white paper.
    mean=$(convert "$tmp/chart.png" -colorspace Gray -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.6) }' || say_fail "mean grey $mean"
fi
timeout 10 xclip -selection clipboard -t image/svg+xml -o >"$tmp/chart.svg"
grep -q '<svg' "$tmp/chart.svg" || say_fail "the SVG on the clipboard is not SVG"

exit $fail
