#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and runs every test:
# the Release build (the one users and the package get) with warnings as errors,
# its tests again on a decimal-comma desktop, the AddressSanitizer/UndefinedBehavior
# Sanitizer build, and every fuzz target for a few seconds on its seed corpus.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
# Formatting first: it takes seconds and a build takes minutes.
"$root/scripts/format-check.sh"

"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DQUORL_WERROR=ON
# The soak (label "soak", a minute) runs only here, in the Release build.
QUORL_SOAK=1 ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
# The Debian package from the same build, then its contents and programs.
cmake --build "$root/build" --target package
"$root/scripts/test-package.sh" "$root/build"
# The README's install without the package, into a fresh prefix.
"$root/scripts/test-install.sh" "$root/build"
# Numbers in texts, files and pager bytes must not follow the desktop's locale.
LC_ALL=de_DE.UTF-8 ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON -DQUORL_WERROR=ON
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp" \
    ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

# The fuzz targets as the README configures them (only the targets and their seeds
# are built); any sanitizer report is a crash.
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORL_FUZZ=ON -DQUORL_BUILD_GUI=OFF -DQUORL_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build-fuzz" --target quorl_fuzz_targets
"$root/scripts/fuzz-smoke.sh" "$root/build-fuzz" 5
