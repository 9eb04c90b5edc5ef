#!/usr/bin/env bash
# Tests the README's install without the package: `cmake --install` into a fresh
# prefix, then the installed programs find their library and data from there.
# Usage: test-install.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
fail=0
check() {
    local what="$1"
    shift
    if "$@" >/dev/null 2>&1; then
        echo "ok: $what"
    else
        echo "FAIL: $what"
        fail=1
    fi
}
for program in tessaly-vi-quorl quorl quorl-report quorl-pager-sim; do
    check "$program is installed" test -x "$prefix/bin/$program"
done
check "libVQ4.so in the private library folder" test -f "$prefix/lib/tessaly-vi-quorl/libVQ4.so"
check "quorl --version" "$prefix/bin/quorl" --version
for ppg in Default_VHF_5CH Default_UHF_1CH; do
    check "quorl check $ppg.ppg" "$prefix/bin/quorl" check "$prefix/share/tessaly-vi-quorl/Lib/$ppg.ppg"
done
# The voice library really is the installed one: compression loads it through the RPATH.
out="$(mktemp -d)"
check "quorl audio compress from the installed layout" "$prefix/bin/quorl" audio compress \
    "$prefix/share/tessaly-vi-quorl/WavForms/01_custom_alert_1.wav" -o "$out"
check "the compressed stream was written" sh -c "ls '$out'/BinFiles/*.bin"
rm -rf "$out"
exit "$fail"
