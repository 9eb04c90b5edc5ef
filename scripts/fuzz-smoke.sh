#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds on a copy of its seed
# corpus: fuzz-smoke.sh BUILD-FOLDER [SECONDS]. A target without seeds, a crash or
# any sanitizer report fails the run.
set -euo pipefail
build="$(cd "$1" && pwd)"
seconds="${2:-5}"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
targets=0
for fuzzer in "$build"/bin/fuzz_* "$build"/bin/quorl_fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name="$(basename "$fuzzer")"
    seeds="$build/fuzz-corpus/$name"
    if [ -z "$(ls -A "$seeds" 2>/dev/null)" ]; then
        echo "fuzz target $name has no seed corpus in $seeds" >&2
        exit 1
    fi
    mkdir -p "$work/$name"
    cp "$seeds"/* "$work/$name/"
    echo "== $name (${seconds} s)"
    # No input of a few kilobytes may ask for a quarter of a gigabyte at once: a
    # size taken from a damaged header fails here even when the machine could give it.
    if ! (cd "$work" && "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -malloc_limit_mb=256 "$work/$name" >"$work/$name.log" 2>&1); then
        cat "$work/$name.log" >&2
        echo "fuzz target $name failed" >&2
        exit 1
    fi
    tail -n 2 "$work/$name.log"
    targets=$((targets + 1))
done
[ "$targets" -gt 0 ] || { echo "no fuzz targets in $build/bin" >&2; exit 1; }
echo "$targets fuzz targets ran clean"
