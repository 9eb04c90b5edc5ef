#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and starts the program
# with a simulated pager in a simulated cradle attached, so Read Codeplug (F3) works
# without hardware. QUORL_NO_SIM=1 starts it with real cradles only.
# Extra arguments go to the program (for example a .ppg file to open).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
bin="$root/build/bin"

if [ "${QUORL_NO_SIM:-0}" != "1" ]; then
    # The same per-user folder the program reads simulated cradles from; never a
    # name in /tmp that another user could have made first.
    runtime="${XDG_RUNTIME_DIR:-${XDG_STATE_HOME:-$HOME/.local/state}}/tessaly-vi-quorl"
    mkdir -p -m 700 "$runtime"
    "$bin/quorl-pager-sim" --ppg "$root/build/share/tessaly-vi-quorl/Lib/Default_VHF_5CH.ppg" \
        --link "$runtime/ttySIM0" --register >/dev/null &
    sim=$!
    # The simulator removes its link and registration when it is stopped: on a
    # normal exit, and when this script is interrupted, terminated or its terminal
    # closes.
    stop_sim() { kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true; }
    trap stop_sim EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    trap 'exit 129' HUP
    sleep 0.3
    # In the background, so that a signal to this script is handled at once rather
    # than after the program ends; the program then ends with the script.
    "$bin/tessaly-vi-quorl" "$@" &
    app=$!
    trap 'kill "$app" 2>/dev/null; stop_sim' EXIT
    wait "$app"
    exit $?
fi
"$bin/tessaly-vi-quorl" "$@"
