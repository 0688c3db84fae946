#!/usr/bin/env bash
# The real window under a virtual X server:
#   - exec to the first picture (median of STARTS starts), next to an X client that only
#     connects and queries the server (xdpyinfo) timed the same way in the same run;
#   - left alone for SECONDS: CPU as a percentage of one core, wake-ups a second (the times its
#     threads went to sleep: voluntary context switches of every thread), and resident memory,
#     peak and at the end. The X server's CPU over the same time is shown beside it.
# Arguments after STARTS go to the simulator (e.g. --inspector). Without a window manager the
# window has the keyboard focus from its start; with BACKGROUND=1 the focus goes to the root
# window, as when a person works in another window.
# Usage: bash bench/window_idle.sh path/to/ql730-sim [SECONDS] [STARTS] [SIMULATOR ARGUMENTS...]
set -euo pipefail
sim=${1:?usage: window_idle.sh path/to/ql730-sim [SECONDS] [STARTS] [ARGUMENTS...]}
seconds=${2:-30} starts=${3:-7}
shift $(($# < 3 ? $# : 3))
sim_args=("$@")
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
# -noreset: without it the server resets after each client leaves, and the next client waits
# for that reset, which would be counted in its start.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
pids+=("$xvfb")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

# Milliseconds between two EPOCHREALTIME readings.
elapsed_ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Starts the simulator with its start-up trace; sets `pid` and `first_ms` once it has shown
# its first picture.
start_sim() {
    local trace="$work/trace.$1" begin line
    begin=$EPOCHREALTIME
    QL730_WINDOW_TRACE=1 "$sim" "${sim_args[@]}" 2>"$trace" >/dev/null &
    pid=$!
    pids+=("$pid")
    for _ in $(seq 5000); do
        line=$(grep -m1 '^ql730-sim: first picture at ' "$trace" || true)
        [ -n "$line" ] && break
        kill -0 "$pid" 2>/dev/null || { echo "the simulator ended:"; cat "$trace"; exit 1; }
        sleep 0.002
    done
    [ -n "$line" ] || { echo "no first picture after 10 s"; exit 1; }
    first_ms=$(elapsed_ms "$begin" "${line#*first picture at }")
}

stop_sim() {
    kill "$pid" && wait "$pid" 2>/dev/null || true
    unset 'pids[-1]'
}

for i in $(seq "$starts"); do
    begin=$EPOCHREALTIME
    xdpyinfo >/dev/null
    elapsed_ms "$begin" "$EPOCHREALTIME" >>"$work/xdpyinfo"
    start_sim "$i"
    echo "$first_ms" >>"$work/first"
    stop_sim
done
echo "exec to first picture: $(median <"$work/first") ms (median of $starts;" \
    "xdpyinfo exec to exit: $(median <"$work/xdpyinfo") ms)"

# CPU nanoseconds and voluntary context switches summed over the threads of process $1, one
# "TID NS SWITCHES" line per thread.
thread_counters() {
    local task
    for task in /proc/"$1"/task/*; do
        [ -r "$task/schedstat" ] || continue
        echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat")" \
            "$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status")"
    done
}
# Growth of the sums between two samples; a thread that appeared meanwhile counts from zero.
growth() {
    awk 'NR == FNR { ns[$1] = $2; sw[$1] = $3; next }
         { dns += $2 - ns[$1]; dsw += $3 - sw[$1]; n++ }
         END { print dns, dsw, n }' "$1" "$2"
}
status_kb() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status"; }

start_sim idle
if [ "${BACKGROUND:-0}" = 1 ]; then
    xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
fi
sleep 2
thread_counters "$pid" >"$work/before"
thread_counters "$xvfb" >"$work/x.before"
sleep "$seconds"
thread_counters "$pid" >"$work/after"
thread_counters "$xvfb" >"$work/x.after"
read -r ns switches threads < <(growth "$work/before" "$work/after")
read -r x_ns _ _ < <(growth "$work/x.before" "$work/x.after")
awk -v ns="$ns" -v sw="$switches" -v n="$threads" -v s="$seconds" -v xns="$x_ns" \
    'BEGIN {
        printf "idle over %d s: %.3f %% of one core, %.2f wake-ups a second (%d threads);", s,
               ns / (s * 1e7), sw / s, n
        printf " the X server: %.3f %%\n", xns / (s * 1e7)
    }'
echo "resident memory: peak $(($(status_kb "$pid" VmHWM) / 1024)) MB," \
    "now $(($(status_kb "$pid" VmRSS) / 1024)) MB"
