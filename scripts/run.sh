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
    runtime="${XDG_RUNTIME_DIR:-/tmp/tessaly-vi-quorl-$(id -u)}"
    mkdir -p "$runtime/tessaly-vi-quorl"
    "$bin/quorl-pager-sim" --ppg "$root/build/share/tessaly-vi-quorl/Lib/Default_VHF_5CH.ppg" \
        --link "$runtime/tessaly-vi-quorl/ttySIM0" --register --pace >/dev/null &
    sim=$!
    # The simulator removes its link and registration when it is stopped.
    trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null || true' EXIT
    sleep 0.3
fi
"$bin/tessaly-vi-quorl" "$@"
