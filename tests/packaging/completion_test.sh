#!/usr/bin/env bash
# The bash completion of quorl against the built tool: commands, nested
# commands, options, files by kind and port names from `quorl ports`.
# Usage: completion_test.sh QUORL QUORL_PAGER_SIM COMPLETION_SCRIPT
set -uo pipefail
quorl=$1
sim=$2
script=$3
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
sim_pid=""
trap '[ -n "$sim_pid" ] && kill $sim_pid 2>/dev/null; wait; rm -rf "$work"' EXIT
# A simulated cradle of this test's own, so `quorl ports` has a port to offer.
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QUORL_SIM_CRADLES
"$sim" --register >"$work/sim.out" 2>&1 &
sim_pid=$!
# And one whose name is shell code: completion offers it and never runs it.
"$sim" --register --link "$work/tty\`touch ran\`" >"$work/sim2.out" 2>&1 &
sim_pid="$sim_pid $!"
mkdir "$work/files"
cd "$work/files" || exit 1
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
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//'
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
expect "$quorl audio " "check compress preview speak tidy voices write"
expect "$quorl audio compress --s" "--srtype"
expect "$quorl audio compress -" "--help --output --srtype --type -o"
expect "$quorl check " "folder other.PPG pager.ppg"
expect "$quorl audio compress " "alert.wav folder"
expect "$quorl audio compress alert.wav -o " "folder"
expect "$quorl report pager.ppg -o " "folder summary.pdf"
expect "$quorl audio write --slot 1=" "1=alert.wav 1=folder"
port=""
for _ in $(seq 100); do # the simulator may take a while on a loaded machine
    port=$("$quorl" ports 2>/dev/null | cut -f1 | grep -v '`' | head -n1)
    [ "$("$quorl" ports 2>/dev/null | wc -l)" -eq 2 ] && break
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "FAIL: the simulated cradle was not listed: $(cat "$work/sim.out")"
    failures=$((failures + 1))
fi
expect "$quorl read --port " "$(printf '%s\n' "$port" "$work/tty\`touch ran\`" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"
if [ -e ran ] || [ -e "$work/ran" ]; then
    echo "FAIL: completing a port name ran it as a command"
    failures=$((failures + 1))
fi
expect "$quorl write --port $port " "folder other.PPG pager.ppg"

echo "$((15 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
