#!/usr/bin/env bash
# Runs a command with a simulated pager in a simulated cradle attached, and stops the
# simulator when the command ends, and also when this script is interrupted, terminated
# or its terminal closes, so no simulator stays registered behind it.
# Usage: with-simulator.sh BIN_DIR COMMAND [ARGS...]
set -euo pipefail
bin="$1"
shift
share="$bin/../share/tessaly-vi-quorl"

# The same per-user folder the program reads simulated cradles from; never a name in
# /tmp that another user could have made first.
runtime="${XDG_RUNTIME_DIR:-${XDG_STATE_HOME:-$HOME/.local/state}}/tessaly-vi-quorl"
mkdir -p -m 700 "$runtime"
"$bin/quorl-pager-sim" --ppg "$share/Lib/Default_VHF_5CH.ppg" \
    --link "$runtime/ttySIM0" --register --pace >/dev/null &
sim=$!
app=
# The simulator removes its link and registration when it is stopped.
stop_all() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$sim" 2>/dev/null
    wait "$sim" 2>/dev/null || true
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
sleep 0.3
# In the background, so that a signal to this script is handled at once rather than
# after the command ends; the command then ends with the script.
"$@" &
app=$!
status=0
wait "$app" || status=$?
app=
exit "$status"
