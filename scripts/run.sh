#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and starts the program
# with a simulated pager in a simulated cradle attached, so Read Codeplug (F3) works
# without hardware. QUORL_NO_SIM=1 starts it with real cradles only.
# Extra arguments go to the program (for example a .ppg file to open).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
# The configuration scripts/test.sh builds in the same folder: one after the other
# rebuilds nothing (two configurations in one folder rebuilt everything each time).
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DQUORL_WERROR=ON
bin="$root/build/bin"

if [ "${QUORL_NO_SIM:-0}" != "1" ]; then
    exec "$root/scripts/with-simulator.sh" "$bin" "$bin/tessaly-vi-quorl" "$@"
fi
exec "$bin/tessaly-vi-quorl" "$@"
