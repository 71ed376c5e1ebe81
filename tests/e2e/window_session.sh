# Sourced by the end-to-end tests of the window program (inside with_x.sh):
# a private temporary home and runtime folder, failure bookkeeping, and
# start_window, which starts the program and waits for its main window.
#   source window_session.sh KEY      (KEY names the single-instance socket)
# Sets tmp, fail; after start_window also app (the process) and win (the
# window id). A test may define extra_cleanup; it runs before tmp goes.
fail=0
say_fail() { echo "FAIL $*"; fail=1; }
tmp=$(mktemp -d)
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
    declare -F extra_cleanup >/dev/null && extra_cleanup
    rm -rf "$tmp"
}
trap cleanup EXIT
mkdir -p "$tmp/home" "$tmp/run"
chmod 700 "$tmp/run"
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" HYGRANA_INSTANCE_KEY="hygrana-$1-$$"
window_title="Corvane Ver 5.0 for Win32"

# start_window PROGRAM: start it, wait (bounded) for its visible window and give that the focus.
start_window() {
    "$1" >"$tmp/app.log" 2>&1 &
    app=$!
    if ! win=$(timeout 20 xdotool search --sync --onlyvisible --name "^$window_title\$" | head -n1); then
        echo "FAIL no window appeared"; cat "$tmp/app.log"; exit 1
    fi
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
}
# keys KEY...: typed into the window a moment apart, as a menu needs.
keys() { xdotool key --window "$win" --delay 150 "$@"; }
