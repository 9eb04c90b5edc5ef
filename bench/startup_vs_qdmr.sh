#!/usr/bin/env bash
# Start-up of the program against another Qt codeplug programming tool from Debian
# (qdmr), on the same machine in the same run, under a private X server (Xvfb):
# the time from exec to the first window shown (both: the X server maps it), to the
# first painted main view (this program reports it), and the resident memory after
# 3 s. Prints the median (and the best) of several runs. Needs: xvfb, x11-utils, qdmr.
#   bench/startup_vs_qdmr.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
runs="${2:-7}"
prog="$root/$build/bin/tessaly-vi-quorl"
[ -x "$prog" ] || { echo "no $prog; build first" >&2; exit 1; }
for tool in Xvfb xev xdpyinfo qdmr; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb x11-utils qdmr)" >&2; exit 1; }
done

work="$(mktemp -d)"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1600x900x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# Fresh settings for both, so no earlier run's state is read.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
export QT_QPA_PLATFORM=xcb

# Milliseconds since the epoch, without starting a process.
now_ms() { local t="${EPOCHREALTIME/[.,]/}"; echo $(( t / 1000 )); }

# One run: prints "shown_ms painted_ms rss_kib".
# The window counts as shown when the X server maps it. xev reports that as it
# happens; polling with xdotool would start a process every few milliseconds and
# take the processor from the program being timed.
run_once() {
    local name="$1"; shift
    local start pid xev shown="" painted=- rss line
    rm -f "$work/events"
    mkfifo "$work/events"
    xev -root -event substructure >"$work/events" &
    xev=$!
    exec 3<"$work/events"
    sleep 0.3 # xev is listening
    start=$(now_ms)
    QUORL_REPORT_FIRST_PAINT=1 "$@" >"$work/out" 2>"$work/err" &
    pid=$!
    while [ -z "$shown" ]; do
        if read -r -t 0.05 -u 3 line; then
            case "$line" in MapNotify*) shown=$(( $(now_ms) - start )) ;; esac
        elif ! kill -0 "$pid" 2>/dev/null || [ $(( $(now_ms) - start )) -gt 20000 ]; then
            echo "$name ended early or never showed a window; its last messages:" >&2
            tail -n 5 "$work/err" "$work/xvfb.log" >&2
            kill "$pid" "$xev" 2>/dev/null; wait "$pid" "$xev" 2>/dev/null || true
            exec 3<&-
            return 1
        fi
    done
    kill "$xev" 2>/dev/null; wait "$xev" 2>/dev/null || true
    exec 3<&-
    sleep 3
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    if grep -q "first paint at" "$work/err"; then
        painted=$(( $(sed -n 's/first paint at \([0-9]*\) ms/\1/p' "$work/err" | head -1) - start ))
    fi
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    echo "$shown $painted $rss"
}

least() { sort -n | head -1; }

median() {
    sort -n | awk '{a[NR]=$1} END {if (!NR) print "-"; else print (NR%2 ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2))}'
}

summary() {
    local name="$1" runs_file="$2"
    printf '%-18s window shown %5s ms (best %4s)   first paint %5s ms   RSS after 3 s %6s KiB   (%s runs)\n' \
        "$name" \
        "$(cut -d' ' -f1 "$runs_file" | median)" \
        "$(cut -d' ' -f1 "$runs_file" | least)" \
        "$(cut -d' ' -f2 "$runs_file" | grep -v -- - | median)" \
        "$(cut -d' ' -f3 "$runs_file" | median)" \
        "$(wc -l <"$runs_file")"
}

# The two programs take turns, so a machine that gets busier part-way through
# slows both alike. A run that fails twice (a crash, a window that never shows) is left out.
: >"$work/ours"
: >"$work/theirs"
run_once ours "$prog" >/dev/null || true # warm the file caches
run_once qdmr qdmr >/dev/null || true
for _ in $(seq "$runs"); do
    # Now and then a client of the private X server cannot connect ("could not
    # connect to display"), either program alike; such a run is tried once more.
    run_once ours "$prog" >>"$work/ours" || run_once ours "$prog" >>"$work/ours" || true
    run_once qdmr qdmr >>"$work/theirs" || run_once qdmr qdmr >>"$work/theirs" || true
done
summary "tessaly-vi-quorl" "$work/ours"
summary "qdmr $(dpkg-query -W -f='${Version}' qdmr 2>/dev/null)" "$work/theirs"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
