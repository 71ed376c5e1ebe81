#!/usr/bin/env bash
# The layer check on this tree, and on a small tree that breaks each rule
# once (so a check that finds nothing cannot pass by accident).
#   layering_test.sh SOURCE_DIR
set -uo pipefail
src=${1:?usage: layering_test.sh SOURCE_DIR}
check="$src/tests/layering/check_layers.sh"
fail=0

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp"/{engine,chart,files,qt_render,qt_window}
printf '#include "chart/chart_settings.h"\n' >"$tmp/engine/up.cpp"        # engine above itself
printf '#include <QString>\n' >"$tmp/chart/qt.h"                           # Qt in plain C++
printf '#include "process/process_calc.h"\n' >"$tmp/files/side.cpp"        # files beside process
printf '#include "qt_window/main_window.h"\n' >"$tmp/qt_render/up.cpp"     # render above itself
printf '#include "engine/fault.h"\n#include <QPainter>\n' >"$tmp/qt_render/ok.cpp"
printf '#include "qt_dialogs/about_dialog.h"\n#include <QAction>\n' >"$tmp/qt_window/ok.cpp"
out=$(bash "$check" "$tmp")
status=$?
expected=$'chart/qt.h:1: chart is plain C++ and may not include Qt: #include <QString>
engine/up.cpp:1: engine may not use chart: #include "chart/chart_settings.h"
files/side.cpp:1: files may not use process: #include "process/process_calc.h"
qt_render/up.cpp:1: qt_render may not use qt_window: #include "qt_window/main_window.h"'
if [ $status = 0 ] || [ "$(sort <<<"$out")" != "$expected" ]; then
    echo "FAIL the check on a tree with four faults said (status $status):"
    echo "$out"
    fail=1
fi

if ! bash "$check" "$src"; then
    echo "FAIL this tree includes across its layers (lines above)"
    fail=1
fi
exit $fail
