#!/usr/bin/env bash
# The real window under a virtual X server: time from start to the window showing, then the
# CPU it uses over 20 s without any input, as a percentage of one core.
# Usage: bash bench/window_idle.sh path/to/ql730-sim [SECONDS]
set -euo pipefail
sim=${1:?usage: window_idle.sh path/to/ql730-sim [SECONDS]} seconds=${2:-20}
work=$(mktemp -d)
pids=()
# The simulator first, then the X server it is connected to.
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

start=$(date +%s%N)
"$sim" &
pid=$!
pids+=("$pid")
until xdotool search --onlyvisible --name "Ostrel QL-730 Simulator" >/dev/null; do
    sleep 0.005
done
shown=$(date +%s%N)
echo "start-up to the window showing: $(((shown - start) / 1000000)) ms"

sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks)
sleep "$seconds"
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle CPU over %d s: %.2f %% of one core (%d ticks of 1/%d s)\n", s, 100 * t / hz / s, t, hz }'
