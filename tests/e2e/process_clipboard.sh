#!/usr/bin/env bash
# The process dialog of the real program through the real X clipboard (run
# inside with_x.sh): opened from the keyboard, two states typed, Calculate,
# the first process row copied and read back with xclip; then a block put on
# the clipboard with xclip (CR LF line ends) pasted into the input table.
#   process_clipboard.sh HYGRANA [SCREENSHOT.png]
set -uo pipefail
# shellcheck source=tests/e2e/window_session.sh
source "$(dirname "$0")/window_session.sh" process
start_window "$1"
keys alt+p Return # Process > Input/Calculation
if ! dlg=$(timeout 10 xdotool search --sync --onlyvisible --name '^Calcurate Air Conditioning$' | head -n1); then
    echo "FAIL the process dialog did not open"; cat "$tmp/app.log"; exit 1
fi
# Typing starts only when the dialog holds the focus (a busy machine is slow to hand it over).
xdotool windowactivate --sync "$dlg" 2>/dev/null || xdotool windowfocus --sync "$dlg" 2>/dev/null
for _ in $(seq 1 50); do [ "$(xdotool getactivewindow 2>/dev/null)" = "$dlg" ] && break; sleep 0.1; done
sleep 0.3
# The input table has the focus at state 1, pressure: 25 deg C / 50 % and 15 deg C / 90 %; then
# Calculate, next in the tab order.
xdotool key --window "$dlg" --delay 60 Right 2 5 Right 5 0 Down Left 1 5 Right 9 0
xdotool key --window "$dlg" --delay 100 Tab space
sleep 0.5
# The controls at their fixed places in the dialog (logical pixels); Copy and Paste below the tables.
click() { xdotool mousemove --window "$dlg" "$1" "$2" click 1; sleep 0.2; }
clip() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }

# A click on the label of process row 1 selects the row; Copy.
echo "old" | xclip -selection clipboard -i
click 40 269
click 554 380
for _ in $(seq 1 50); do [[ "$(clip)" == -10.00* ]] && break; sleep 0.1; done
text=$(clip)
[ "${text: -1}" = $'\r' ] || say_fail "the copied row does not end with CR"
IFS=$'\t' read -r -a f <<<"${text%$'\r'}"
[ "${#f[@]}" -eq 10 ] || say_fail "copied ${#f[@]} cells, not 10: $(printf '%q' "$text")"
[ "${f[0]:-}" = "-10.00" ] || say_fail "dry-bulb change ${f[0]:-} instead of -10.00"
# Water = change of humidity x 50 kg/h; kW = kcal/h / 3600 x 4.186.
awk -v dx="${f[1]:-0}" -v w="${f[4]:-1}" 'BEGIN { exit !(w - dx * 50 < 0.0051 && dx * 50 - w < 0.0051 && w < 0) }' ||
    say_fail "water ${f[4]:-} for a change ${f[1]:-}"
awk -v q="${f[5]:-0}" -v k="${f[6]:-1}" 'BEGIN { d = q / 3600 * 4.186 - k; exit !(d < 0.0011 && -d < 0.0011 && q < 0) }' ||
    say_fail "heat load ${f[5]:-} kcal/h against ${f[6]:-} kW"
[ -n "${2:-}" ] && import -window "$dlg" "$2"

# The reverse: a spreadsheet block (CR LF line ends) into states 3 and 4 from their pressure; then every
# cell of the input table (a click on its corner selects them) copied back.
printf '760\t30\t40\r\n760\t20\t60\r\n' | xclip -selection clipboard -i
click 71 106
click 632 380
click 30 45
click 554 380
# The copy replaces the pasted block, whose first row is state 3's.
for _ in $(seq 1 50); do [[ "$(clip)" == 760$'\t'25* ]] && break; sleep 0.1; done
got=$(clip | tr '\r\t' '\n|')
want=$(printf '760|30|40|\n760|20|60|\n760|||\n760|||')
[ "$(echo "$got" | sed -n 3,6p)" = "$want" ] || say_fail "input table after the paste: $(echo "$got" | tr '\n' '/')"
[ "$(echo "$got" | sed -n 1p | cut -d'|' -f1-3)" = "760|25|50" ] || say_fail "state 1 changed: ${got%%$'\n'*}"
exit $fail
