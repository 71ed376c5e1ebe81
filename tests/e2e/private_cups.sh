#!/usr/bin/env bash
# A private CUPS daemon for the printer tests, sourced by them: its own
# configuration, spool, cache, logs and socket in a temporary folder,
# reached through CUPS_SERVER, with one cups-pdf queue that writes its PDFs
# into a folder of ours. The machine's own daemon and printers are never
# touched. cups-pdf reads its settings from /etc/cups/cups-pdf-QUEUE.conf
# only (otherwise it writes into the job owner's ~/PDF), so the queue's name
# is unique to the run and its file is removed again by cups_stop.
#   cups_start DIR    # sets CUPS_SERVER, CUPS_QUEUE, CUPS_OUT; the queue is the default
#   cups_wait_pdf N   # waits (bounded) until N finished PDFs are in CUPS_OUT
#   cups_stop

cups_start() {
    local dir=$1
    CUPS_DIR=$dir CUPS_QUEUE="hygrana-test-$$" CUPS_OUT="$dir/out"
    mkdir -p "$dir/conf/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$CUPS_OUT"
    chmod 0755 "$dir" "$dir/conf"
    chmod 1777 "$CUPS_OUT"
    # The daemon runs its filters as lp: its folders are lp's group's.
    chgrp -R lp "$dir/spool" "$dir/cache" "$dir/state" 2>/dev/null
    chmod 0775 "$dir/spool" "$dir/spool/tmp" "$dir/cache" "$dir/state"
    printf '%s\n' "Listen $dir/cups.sock" "LogLevel warn" "Browsing No" "WebInterface No" "DefaultAuthType None" \
        "<Location />" "Order allow,deny" "Allow all" "</Location>" "<Policy default>" "JobPrivateAccess all" \
        "JobPrivateValues none" "SubscriptionPrivateAccess all" "SubscriptionPrivateValues none" "<Limit All>" \
        "Order deny,allow" "</Limit>" "</Policy>" >"$dir/conf/cupsd.conf"
    printf '%s\n' "User lp" "Group lp" "SystemGroup root" "ServerRoot $dir/conf" "RequestRoot $dir/spool" \
        "TempDir $dir/spool/tmp" "CacheDir $dir/cache" "StateDir $dir/state" "ErrorLog $dir/log/error_log" \
        "AccessLog $dir/log/access_log" "PageLog $dir/log/page_log" "ServerBin /usr/lib/cups" \
        "DataDir /usr/share/cups" >"$dir/conf/cups-files.conf"
    printf 'Out %s\nLabel 1\nLog %s/log\n' "$CUPS_OUT" "$dir" >"/etc/cups/cups-pdf-$CUPS_QUEUE.conf"
    cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    CUPS_PID=$!
    export CUPS_SERVER="$dir/cups.sock" CUPS_QUEUE CUPS_OUT
    for _ in $(seq 1 100); do [ -S "$CUPS_SERVER" ] && break; sleep 0.05; done
    if [ ! -S "$CUPS_SERVER" ]; then
        echo "private cupsd did not start"; cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null
        return 1
    fi
    timeout 20 lpadmin -p "$CUPS_QUEUE" -E -v "cups-pdf:/$CUPS_QUEUE" \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || { echo "lpadmin failed"; return 1; }
    timeout 10 lpadmin -d "$CUPS_QUEUE"
}

cups_wait_pdf() {
    for _ in $(seq 1 300); do
        # Finished: the queue holds no job, and the files have their count.
        [ -z "$(timeout 5 lpstat -o "$CUPS_QUEUE" 2>/dev/null)" ] &&
            [ "$(find "$CUPS_OUT" -name '*.pdf' -size +0 | wc -l)" -ge "$1" ] && return 0
        sleep 0.1
    done
    echo "no $1 PDF(s) after 30 s; jobs: $(lpstat -W all -o 2>&1)"
    tail -20 "$CUPS_DIR/log/error_log" 2>/dev/null
    return 1
}

cups_stop() {
    [ -n "${CUPS_PID:-}" ] && kill "$CUPS_PID" 2>/dev/null && wait "$CUPS_PID" 2>/dev/null
    CUPS_PID=
    [ -n "${CUPS_QUEUE:-}" ] && rm -f "/etc/cups/cups-pdf-$CUPS_QUEUE.conf"
}
