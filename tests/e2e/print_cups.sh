#!/usr/bin/env bash
# Printing through a real CUPS queue (run inside with_x.sh): a private cupsd
# with a cups-pdf queue as the default printer. The window program draws the
# chart, File > Print... opens the system's print dialog, Enter prints; the
# tables go through the same queue from the Qt test's printer case. The
# PDFs that come out are checked with pdftoppm (and the tables' text with
# pdftotext on a reference PDF of the same job).
#   print_cups.sh HYGRANA TEST_OUTPUT_COMMANDS
# Exits 77 (skipped) where CUPS or cups-pdf is not installed or /etc/cups is
# not ours to write (not root).
set -uo pipefail
hygrana=$1 qtest=$2
here=$(dirname "$0")
for tool in cupsd lpadmin lpstat pdftotext pdftoppm; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "SKIP: cups-pdf is not installed"; exit 77; }
[ -w /etc/cups ] || { echo "SKIP: /etc/cups is not writable"; exit 77; }

# shellcheck source=tests/e2e/private_cups.sh
source "$here/private_cups.sh"
# shellcheck source=tests/e2e/window_session.sh
source "$here/window_session.sh" print
extra_cleanup() { cups_stop; }
chmod 0755 "$tmp" # the spooler's own user reaches its folders in here
cups_start "$tmp/cups" || exit 1

# ---- the chart, from the window through the print dialog ----
start_window "$hygrana"
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
xdotool key --window "$win" --delay 150 alt+c d
sleep 0.5
xdotool key --window "$win" --delay 150 alt+f p
if dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Print' | head -n1); then
    xdotool windowactivate --sync "$dialog" 2>/dev/null
    xdotool key --window "$dialog" Return
else
    say_fail "no print dialog appeared"
fi
if cups_wait_pdf 1; then
    chart_pdf=$(find "$CUPS_OUT" -name '*.pdf' | head -n1)
    mv "$chart_pdf" "$tmp/chart.pdf"
    pages=$(pdfinfo "$tmp/chart.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
    [ "${pages:-0}" = 1 ] || say_fail "the chart came out on ${pages:-no} pages"
    # The chart's legend is text in the page.
    # The chart lines: coloured ink in the upper part of the page (the chart's
    # 0.7 rectangle at the top of the printable area), white paper below it.
    pdftoppm -r 40 -png -singlefile "$tmp/chart.pdf" "$tmp/chart" 2>/dev/null
    read -r pw ph < <(identify -format '%w %h' "$tmp/chart.png")
    sat=$(convert "$tmp/chart.png" -colorspace HSL -channel G -separate -format '%[fx:maxima]' info:)
    awk -v s="$sat" 'BEGIN { exit !(s > 0.5) }' || say_fail "no coloured chart lines (saturation $sat)"
    top=$(convert "$tmp/chart.png" -crop "${pw}x$((ph * 45 / 100))+0+0" -colorspace Gray -format '%[fx:mean]' info:)
    low=$(convert "$tmp/chart.png" -crop "${pw}x$((ph * 40 / 100))+0+$((ph * 60 / 100))" -colorspace Gray \
        -format '%[fx:minima]' info:)
    awk -v t="$top" 'BEGIN { exit !(t < 0.97) }' || say_fail "no chart in the upper page (mean $top)"
    awk -v l="$low" 'BEGIN { exit !(l > 0.95) }' || say_fail "ink in the lower page (darkest $low)"
else
    say_fail "the chart did not print"
    cat "$tmp/app.log"
fi
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
app=

# ---- the tables, through the same queue; the first one long enough for a
# second page ----
# The filters on the way turn the fonts into Type 3 glyphs without text, so
# the text is read from a reference PDF of the same job written by Qt, and
# every printed page must look like the reference's page.
rm -f "$CUPS_OUT"/*.pdf
if ! HYGRANA_TEST_PRINTER="$CUPS_QUEUE" HYGRANA_TEST_REFERENCE="$tmp/reference.pdf" QT_QPA_PLATFORM=offscreen \
    "$qtest" printTablesOnSystemPrinter >"$tmp/qtest.log" 2>&1; then
    say_fail "the table printing test failed"; cat "$tmp/qtest.log"
fi
if cups_wait_pdf 1; then
    tables_pdf=$(find "$CUPS_OUT" -name '*.pdf' | head -n1)
    pdftotext -layout "$tmp/reference.pdf" "$tmp/tables.txt" 2>/dev/null
    for t in "Input Data" "Properties" "Process" "Press." "Entahlpy" "#69"; do
        grep -q "$t" "$tmp/tables.txt" || say_fail "no '$t' in the tables"
    done
    pdftotext -f 1 -l 1 "$tmp/reference.pdf" - 2>/dev/null | grep -q 'No\. *1' || say_fail "no page mark No.1 on page 1"
    pdftotext -f 2 -l 2 "$tmp/reference.pdf" - 2>/dev/null | grep -q 'No\. *2' || say_fail "no page mark No.2 on page 2"
    pages=$(pdfinfo "$tables_pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
    ref_pages=$(pdfinfo "$tmp/reference.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
    [ "${pages:-0}" -ge 2 ] && [ "$pages" = "$ref_pages" ] ||
        say_fail "the printer gave ${pages:-no} pages, the reference ${ref_pages:-none}"
    for p in $(seq 1 "${pages:-0}"); do
        pdftoppm -r 50 -gray -f "$p" -l "$p" -singlefile "$tables_pdf" "$tmp/printed" 2>/dev/null
        pdftoppm -r 50 -gray -f "$p" -l "$p" -singlefile "$tmp/reference.pdf" "$tmp/expected" 2>/dev/null
        # The glyphs are drawn a little differently; blurred, the pages
        # differ by under 0.01 (a page against the next one: about 0.09).
        convert "$tmp/printed.pgm" -blur 0x2 "$tmp/printed-blur.pgm"
        convert "$tmp/expected.pgm" -blur 0x2 "$tmp/expected-blur.pgm"
        diff=$(compare -metric RMSE "$tmp/printed-blur.pgm" "$tmp/expected-blur.pgm" null: 2>&1 |
            sed 's/.*(\(.*\))/\1/')
        awk -v d="$diff" 'BEGIN { exit !(d + 0 < 0.03) }' || say_fail "page $p differs from the reference (RMSE $diff)"
    done
else
    say_fail "the tables did not print"
fi
exit $fail
