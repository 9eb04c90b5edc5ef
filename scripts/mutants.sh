#!/usr/bin/env bash
# Plants known faults one at a time and expects the tests to catch each one. A fault
# that every test survives means the tests take their expected values from the code
# they check; the script then fails and names the fault.
#
#   scripts/mutants.sh [NAME...]    all faults, or only the named ones
#
# The faults are planted in a copy of the source tree under build-mutants/, never in
# the worktree itself, so an interrupted run leaves nothing behind. The copy is built
# beside the sources the way build/ is, so ccache reuses the main build's objects.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$root/build-mutants"
src="$work/src"
build="$src/build"

mkdir -p "$src"
find "$src" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$src" -xf -
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORL_BUILD_GUI=OFF \
    -DQUORL_WERROR=ON >/dev/null

survived=()
# plant NAME FILE TARGET TESTS ORIGINAL PLANTED: ORIGINAL must occur exactly once in
# FILE; TESTS is a ctest name pattern.
plant() {
    local name="$1" file="$2" target="$3" tests="$4" original="$5" planted="$6"
    if [[ ${#selected[@]} -gt 0 && ! " ${selected[*]} " == *" $name "* ]]; then
        return
    fi
    local count
    count="$(grep -cF -- "$original" "$src/$file" || true)"
    if [[ "$count" != 1 ]]; then
        echo "mutants: $name: the text to change occurs $count times in $file" >&2
        exit 2
    fi
    cp "$src/$file" "$work/original"
    ORIGINAL="$original" PLANTED="$planted" perl -0pi -e \
        's/\Q$ENV{ORIGINAL}\E/$ENV{PLANTED}/' "$src/$file"
    local result=caught
    if cmake --build "$build" --target "$target" >"$work/build.log" 2>&1; then
        if QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -R "$tests" >"$work/test.log" 2>&1
        then
            result=SURVIVED
            survived+=("$name")
        fi
    else
        result="does not compile"
        survived+=("$name")
    fi
    cp "$work/original" "$src/$file"
    printf '%-28s %s\n' "$name" "$result"
}

selected=("$@")

# The three faults a review found surviving the whole suite.
plant sum-skips-first-byte codeplug/codeplug_image.cpp quorl_codeplug_tests '^(Reference|Checksums)' \
    'for (std::size_t i = 0; i < length; ++i)' 'for (std::size_t i = 1; i < length; ++i)'
plant band-2-high-side codeplug/frequency_encoding.cpp quorl_codeplug_tests '^(Reference|BandCodes)' \
    'return bandCode < 2;' 'return bandCode < 3;'
plant general-sum-misses-a-byte codeplug/general_block.h quorl_codeplug_tests '^Reference' \
    'kGeneralLength + 1u' 'kGeneralLength'
# Others that a plausible slip would cause.
plant mirror-one-short codeplug/checksums.cpp quorl_codeplug_tests '^(Reference|Checksums)' \
    'layout::kMirrorTarget, layout::kMirrorLength' 'layout::kMirrorTarget, layout::kMirrorLength - 1'
plant word-big-endian codeplug/codeplug_image.cpp quorl_codeplug_tests '^Reference' \
    'bytes_[a] | (bytes_[a + 1] << 8)' 'bytes_[a + 1] | (bytes_[a] << 8)'
plant steps-swapped codeplug/frequency_encoding.cpp quorl_codeplug_tests '^(Reference|BandCodes)' \
    '{2500, 3125, 5000, 6250}' '{2500, 3125, 6250, 5000}'
plant highest-tone-refused codeplug/tone_encoding.cpp quorl_codeplug_tests '^ImageCheck' \
    't <= kMaxToneTenths' 't < kMaxToneTenths'
# The simulator composes its frames with the same code, so only literal frames catch it.
plant frame-sum-misses-direction link/command_frames.cpp quorl_link_tests '^CommandFrames' \
    'std::uint8_t sum = kToPager;' 'std::uint8_t sum = 0;'

if [[ ${#survived[@]} -gt 0 ]]; then
    echo "mutants: no test caught: ${survived[*]}" >&2
    exit 1
fi
echo "mutants: every planted fault was caught"
