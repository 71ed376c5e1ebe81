#!/usr/bin/env bash
# Checks the direction of the folders' includes:
#   plain C++ (no Qt header):  engine <- chart <- process;  chart <- files
#   the Qt side above them:    qt_render <- qt_dialogs <- qt_window;  cli
# A folder may include headers of its own folder and of the folders listed
# for it below, nothing else; the plain folders include no Qt header. The
# links of the CMake targets say the same; this catches an include that
# would compile only because the headers are all on one include path.
#   check_layers.sh ROOT     prints each offending line, exit 1 if any
set -uo pipefail
root=${1:?usage: check_layers.sh ROOT}

declare -A uses=(
    [engine]=""
    [chart]="engine"
    [process]="engine chart"
    [files]="engine chart"
    [qt_render]="engine chart process files"
    [qt_dialogs]="engine chart process files qt_render"
    [qt_window]="engine chart process files qt_render qt_dialogs"
    [cli]="engine chart process files qt_render"
)
plain=" engine chart process files "
folders=" ${!uses[*]} "

bad=0
for folder in "${!uses[@]}"; do
    [ -d "$root/$folder" ] || continue
    allowed=" $folder ${uses[$folder]} "
    while IFS= read -r hit; do
        file=${hit%%:*}
        rest=${hit#*:}
        line=${rest%%:*}
        text=${rest#*:}
        if [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([a-z_0-9]+)/ ]]; then
            used=${BASH_REMATCH[1]}
            if [[ $folders == *" $used "* && $allowed != *" $used "* ]]; then
                echo "$file:$line: $folder may not use $used: $text"
                bad=1
            fi
        elif [[ $plain == *" $folder "* && $text =~ \#[[:space:]]*include[[:space:]]*\<Q ]]; then
            echo "$file:$line: $folder is plain C++ and may not include Qt: $text"
            bad=1
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' --include='*.h' --include='*.cpp' "$root/$folder" |
             sed "s#^$root/##")
done
exit $bad
