#!/usr/bin/env bash
# hygrana's command line, without a display: --version and --help answer
# before any window system is needed; without a display the program says in
# one line what it needs; an argument it does not take is refused.
#   start_options.sh HYGRANA VERSION
set -uo pipefail
hygrana=$1 version=$2
fail=0
check() { # what, expected status, expected stdout pattern, expected stderr pattern, command...
  local what=$1 status=$2 out_re=$3 err_re=$4; shift 4
  local out err rc
  out=$("$@" 2>/tmp/start_options_err.$$); rc=$?
  err=$(cat /tmp/start_options_err.$$); rm -f /tmp/start_options_err.$$
  if [ "$rc" != "$status" ] || ! [[ $out =~ $out_re ]] || ! [[ $err =~ $err_re ]]; then
    echo "FAIL $what: status $rc, stdout '$out', stderr '$err'"; fail=1
  fi
}
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
check "--version" 0 "^hygrana $version\$" '^$' "${nodisplay[@]}" "$hygrana" --version
check "--help" 0 'usage: hygrana .*--version' '^$' "${nodisplay[@]}" "$hygrana" --help
check "no display" 1 '^$' '^hygrana: no display [^'$'\n'']*hygrana-cli render[^'$'\n'']*$' "${nodisplay[@]}" "$hygrana"
tmp=$(mktemp -d)
check "unknown argument" 2 '^$' "^hygrana: unexpected argument 'chart.dat'" \
  env HOME="$tmp" XDG_RUNTIME_DIR="$tmp" HYGRANA_INSTANCE_KEY="start-options-$$" QT_QPA_PLATFORM=offscreen \
  "$hygrana" chart.dat
rm -rf "$tmp"
exit $fail
