#!/usr/bin/env bash
# The bash completion of quorl against the built tool: commands, nested
# commands, options, files by kind and port names from `quorl ports`.
# Usage: completion_test.sh QUORL COMPLETION_SCRIPT
set -uo pipefail
quorl=$1
script=$2
helpers=/usr/share/bash-completion/bash_completion
if [ ! -r "$helpers" ]; then
    echo "bash-completion is not installed; skipped"
    exit 77
fi
# shellcheck source=/dev/null
source "$helpers"
# shellcheck source=/dev/null
source "$script"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
touch pager.ppg other.PPG alert.wav notes.txt summary.pdf
mkdir folder

failures=0
# candidates LINE: prints the sorted candidates for the end of LINE.
candidates() {
    COMP_LINE=$1
    COMP_POINT=${#1}
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _quorl
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}
expect() {
    local got
    got=$(candidates "$1")
    if [[ $got != "$2" ]]; then
        echo "FAIL: '$1' completes to '$got', expected '$2'"
        failures=$((failures + 1))
    fi
}
contains() {
    local got
    got=" $(candidates "$1") "
    if [[ $got != *" $2 "* ]]; then
        echo "FAIL: '$1' completes to '$got', which lacks '$2'"
        failures=$((failures + 1))
    fi
}

contains "$quorl " check
contains "$quorl " audio
contains "$quorl " ports
expect "$quorl au" "audio"
expect "$quorl audio " "check compress write"
expect "$quorl audio compress --s" "--srtype"
expect "$quorl audio compress -" "--help --output --srtype --type -o"
expect "$quorl check " "folder other.PPG pager.ppg"
expect "$quorl audio compress " "alert.wav folder"
expect "$quorl audio compress alert.wav -o " "folder"
expect "$quorl report pager.ppg -o " "folder summary.pdf"
expect "$quorl audio write --slot 1=" "1=alert.wav 1=folder"
export QUORL_SIM_CRADLES=/dev/null
expect "$quorl read --port " "/dev/null"
expect "$quorl write --port /dev/null " "folder other.PPG pager.ppg"

echo "$((14 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
