#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and runs every test:
# first the normal build, then the AddressSanitizer/UndefinedBehaviorSanitizer build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
# The Debian package from the same build, then its contents and programs.
cmake --build "$root/build" --target package
"$root/scripts/test-package.sh" "$root/build"

"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp" \
    ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"
