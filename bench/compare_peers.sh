#!/usr/bin/env bash
# Times whole processes on the same 60-second 8 kHz prompt: `quorl audio compress`
# (plain 4-bit ADPCM, enhanced 4-bit ADPCM, VBR) against sox's IMA ADPCM and
# ffmpeg's adpcm_ima_wav (plain and with -trellis 8, a search encoder like our
# enhanced ADPCM). Prints the median of several runs and the ratios.
#   bench/compare_peers.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
runs="${2:-7}"
quorl="$root/$build/bin/quorl"
[ -x "$quorl" ] || { echo "no $quorl; build first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
in="$work/prompt.wav"

# A voice-like prompt: drifting tones, an envelope and noise.
python3 - "$in" <<'PY'
import math, random, struct, sys
random.seed(11)
rate, n = 8000, 60 * 8000
out = bytearray()
for i in range(n):
    t = i / rate
    env = 0.5 + 0.5 * math.sin(2 * math.pi * 2.5 * t)
    v = 9000 * env * (0.6 * math.sin(2 * math.pi * (180 + 60 * math.sin(0.7 * t)) * t)
                      + 0.3 * math.sin(2 * math.pi * 900 * t)
                      + 0.1 * math.sin(2 * math.pi * 2300 * t)) + random.gauss(0, 200)
    out += struct.pack('<h', max(-32768, min(32767, int(round(v)))))
hdr = b'RIFF' + struct.pack('<I', 36 + len(out)) + b'WAVEfmt ' + \
      struct.pack('<IHHIIHH', 16, 1, 1, rate, rate * 2, 2, 16) + b'data' + struct.pack('<I', len(out))
open(sys.argv[1], 'wb').write(hdr + out)
PY

# Median wall time in milliseconds of running "$@" $runs times; $prepare runs
# untimed before each.
median_ms() {
    local prepare="$1"; shift
    local times=()
    for _ in $(seq "$runs"); do
        eval "$prepare"
        local t0 t1
        t0=$(date +%s%N)
        "$@" >/dev/null 2>&1
        t1=$(date +%s%N)
        times+=($(( (t1 - t0) / 1000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

fresh="rm -rf '$work/proj'"
declare -A ms
ms[quorl_adpcm4]=$(median_ms "$fresh" "$quorl" audio compress "$in" --type 4 -o "$work/proj")
ms[quorl_enhanced4]=$(median_ms "$fresh" "$quorl" audio compress "$in" --type 12 -o "$work/proj")
ms[quorl_vbr]=$(median_ms "$fresh" "$quorl" audio compress "$in" --type 28 -o "$work/proj")
if command -v sox >/dev/null; then
    ms[sox_ima]=$(median_ms ":" sox "$in" -e ima-adpcm "$work/sox.wav")
fi
if command -v ffmpeg >/dev/null; then
    ms[ffmpeg_ima]=$(median_ms ":" ffmpeg -y -loglevel error -i "$in" -c:a adpcm_ima_wav "$work/ff.wav")
    ms[ffmpeg_trellis8]=$(median_ms ":" ffmpeg -y -loglevel error -i "$in" -c:a adpcm_ima_wav -trellis 8 "$work/fft.wav")
fi

echo "60-second prompt, median of $runs runs (whole process, wall time)"
for k in quorl_adpcm4 quorl_enhanced4 quorl_vbr sox_ima ffmpeg_ima ffmpeg_trellis8; do
    [ -n "${ms[$k]:-}" ] && printf '  %-16s %9s ms\n' "$k" "${ms[$k]}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "n/a" }'; }
echo "ratios (ours / theirs; below 1 is faster)"
[ -n "${ms[sox_ima]:-}" ] && echo "  adpcm4 / sox ima-adpcm        $(ratio "${ms[quorl_adpcm4]}" "${ms[sox_ima]}")"
[ -n "${ms[ffmpeg_ima]:-}" ] && echo "  adpcm4 / ffmpeg adpcm_ima_wav $(ratio "${ms[quorl_adpcm4]}" "${ms[ffmpeg_ima]}")"
[ -n "${ms[ffmpeg_trellis8]:-}" ] && echo "  enhanced4 / ffmpeg trellis 8  $(ratio "${ms[quorl_enhanced4]}" "${ms[ffmpeg_trellis8]}")"
[ -z "${ms[sox_ima]:-}${ms[ffmpeg_ima]:-}" ] && echo "  (sox and ffmpeg not installed: no peer figures)"
exit 0
