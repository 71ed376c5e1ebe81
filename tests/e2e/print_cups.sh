#!/usr/bin/env bash
# Printing through a real CUPS queue (run inside with_x.sh): a private cupsd
# with a cups-pdf queue as the default printer. The window program draws the
# chart, File > Print... opens the system's print dialog, Enter prints; the
# tables go through the same queue from the Qt test's printer case. The
# PDFs that come out are checked with pdftoppm (and the tables' text with
# pdftotext on a reference PDF of the same job).
#   print_cups.sh HYGRANA TEST_MAIN_WINDOW
# Exits 77 (skipped) where CUPS or cups-pdf is not installed or /etc/cups is
# not ours to write (not root).
set -uo pipefail
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
pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }

# The chart, from the window through the print dialog: one page, coloured ink in its upper part (the
# chart's 0.7 rectangle at the top of the printable area), white paper below.
start_window "$1"
keys alt+c d
sleep 0.5
keys alt+f p
if dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Print' | head -n1); then
    xdotool windowactivate --sync "$dialog" 2>/dev/null
    xdotool key --window "$dialog" Return
else
    say_fail "no print dialog appeared"
fi
if cups_wait_pdf 1; then
    mv "$(find "$CUPS_OUT" -name '*.pdf' | head -n1)" "$tmp/chart.pdf"
    [ "$(pages "$tmp/chart.pdf")" = 1 ] || say_fail "the chart came out on $(pages "$tmp/chart.pdf") pages"
    pdftoppm -r 40 -png -singlefile "$tmp/chart.pdf" "$tmp/chart" 2>/dev/null
    read -r pw ph < <(identify -format '%w %h' "$tmp/chart.png")
    sat=$(convert "$tmp/chart.png" -colorspace HSL -channel G -separate -format '%[fx:maxima]' info:)
    top=$(convert "$tmp/chart.png" -crop "${pw}x$((ph * 45 / 100))+0+0" -colorspace Gray -format '%[fx:mean]' info:)
    low=$(convert "$tmp/chart.png" -crop "${pw}x$((ph * 40 / 100))+0+$((ph * 60 / 100))" -colorspace Gray \
        -format '%[fx:minima]' info:)
    awk -v s="$sat" -v t="$top" -v l="$low" 'BEGIN { exit !(s > 0.5 && t < 0.97 && l > 0.95) }' ||
        say_fail "saturation $sat (no coloured lines?), upper page mean $top, lower page darkest $low"
else
    say_fail "the chart did not print"; cat "$tmp/app.log"
fi
kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
app=

# The tables through the same queue, the first one long enough for a second page. The filters on the
# way turn the fonts into Type 3 glyphs without text, so the text is read from a reference PDF of the
# same job written by Qt, and every printed page must look like the reference's page.
rm -f "$CUPS_OUT"/*.pdf
HYGRANA_TEST_PRINTER="$CUPS_QUEUE" HYGRANA_TEST_REFERENCE="$tmp/reference.pdf" QT_QPA_PLATFORM=offscreen \
    "$2" printTablesOnSystemPrinter >"$tmp/qtest.log" 2>&1 || { say_fail "the table printing test failed"; cat "$tmp/qtest.log"; }
cups_wait_pdf 1 || { say_fail "the tables did not print"; exit 1; }
printed=$(find "$CUPS_OUT" -name '*.pdf' | head -n1) reference=$tmp/reference.pdf
pdftotext -layout "$reference" "$tmp/tables.txt" 2>/dev/null
for t in "Input Data" "Properties" "Process" "Press." "Entahlpy" "#69"; do
    grep -q "$t" "$tmp/tables.txt" || say_fail "no '$t' in the tables"
done
for p in 1 2; do # the page marks
    pdftotext -f $p -l $p "$reference" - 2>/dev/null | grep -q "No\. *$p" || say_fail "no page mark No.$p on page $p"
done
n=$(pages "$printed")
[ "${n:-0}" -ge 2 ] && [ "$n" = "$(pages "$reference")" ] || say_fail "the printer gave ${n:-no} pages, the reference $(pages "$reference")"
for p in $(seq 1 "${n:-0}"); do
    # The glyphs are drawn a little differently; blurred, the pages differ by under 0.01 (a page against
    # the next one: about 0.09).
    for pdf in printed reference; do
        pdftoppm -r 50 -gray -f "$p" -l "$p" -singlefile "${!pdf}" "$tmp/$pdf" 2>/dev/null
        convert "$tmp/$pdf.pgm" -blur 0x2 "$tmp/$pdf-blur.pgm"
    done
    diff=$(compare -metric RMSE "$tmp/printed-blur.pgm" "$tmp/reference-blur.pgm" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
    awk -v d="$diff" 'BEGIN { exit !(d + 0 < 0.03) }' || say_fail "page $p differs from the reference (RMSE $diff)"
done
exit $fail
