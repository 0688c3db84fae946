#!/usr/bin/env bash
# The live receiver end to end: gpsfake replays the example NMEA log into a gpsd of its own on
# a free localhost port; the real window under a virtual X server follows it with --gpsd and a
# script prints its state each second. The status text must show the log's speeds, and the
# distance counted must be within 2 % of the log's over the replay. With gpsd gone, --gpsd is
# one line and exit code 2. gpsd, gpsfake and Xvfb missing is a failure, never a skip.
# Usage: gpsd_live_test.sh SIM EXAMPLE_NMEA WORK_FOLDER
set -euo pipefail
sim=$1 log=$2 work=$3
for tool in gpsd gpsfake Xvfb python3; do
    command -v "$tool" >/dev/null ||
        { echo "$tool is missing: run scripts/install-deps.sh test"; exit 1; }
done
rm -rf "$work" && mkdir -p "$work"
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        # gpsfake may outlive its gpsd, deaf to TERM: killed after two seconds.
        for _ in $(seq 20); do kill -0 "${pids[i]}" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT

source "$(dirname "$0")/virtual_display.sh"
start_virtual_display

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# The stage's first 36 fixes (standing, speeding up to 90 km/h and holding it), then five of
# its stop; one fix a second (an RMC and a GGA sentence, half a second apart).
grep -v '^#' "$log" | sed -n '1,72p;175,184p' >"$work/replay.nmea"
gpsfake -q -n -1 -c 0.5 -P "$port" "$work/replay.nmea" >"$work/gpsfake.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 0.2)" 2>/dev/null && break
    sleep 0.1
done

# gpspipe notes when each report arrives: the log's speeds over the time they were replayed.
gpspipe -w -t -u -T %s "127.0.0.1:$port" >"$work/reports.txt" 2>"$work/gpspipe.log" &
pids+=($!)
for _ in $(seq 45); do printf 'wait 1s\nprint-state\n'; done >"$work/probe.txt"
"$sim" --gpsd "localhost:$port" --script "$work/probe.txt" >"$work/states.json" 2>"$work/sim.log" &
pids+=($!)
for _ in $(seq 600); do
    [ "$(wc -l <"$work/states.json")" -ge 45 ] && break
    kill -0 "${pids[3]}" 2>/dev/null || { echo "the simulator ended:"; cat "$work/sim.log"; exit 1; }
    sleep 0.1
done

python3 - "$work/states.json" "$work/replay.nmea" "$work/reports.txt" <<'PY'
import json, sys
states = [json.loads(line) for line in open(sys.argv[1])]
knots = [float(l.split(',')[7]) for l in open(sys.argv[2]) if l.startswith('$GPRMC')]
log_speeds = {round(k * 1.852) for k in knots}
reports = []
for line in open(sys.argv[3]):
    stamp, _, report = line.partition(': ')
    tpv = json.loads(report)
    if tpv.get('class') == 'TPV' and 'speed' in tpv:
        reports.append((float(stamp), tpv['speed']))
# Each report's speed, in m/s, held until the next one.
log_m = sum(v * (later[0] - t) for (t, v), later in zip(reports, reports[1:]))
shown = {s['status']['speed'] for s in states}
print('status texts:', sorted(shown))
speeds = {round(s['vehicle']['speed']) for s in states}
assert 90 in speeds and len(speeds - {0}) >= 3, f'the log speeds were not shown: {speeds}'
assert speeds <= log_speeds | {0}, f'speeds not in the log: {speeds - log_speeds}'
assert any('90' in text for text in shown), 'the status text never showed 90 km/h'
counted = states[-1]['vehicle']['total_m']
print(f'counted {counted} m, the log {log_m:.1f} m')
assert abs(counted - log_m) <= 0.02 * log_m, 'the distance is not within 2 % of the log'
assert states[-1]['vehicle']['speed'] == 0, 'the speed did not fall to 0 when the log ended'
PY

# Without gpsd: one line, exit code 2, before any window.
cleanup
pids=()
set +e
err=$("$sim" --gpsd "localhost:$port" 2>&1 >/dev/null)
code=$?
set -e
want="ql730-sim: --gpsd: cannot reach gpsd at localhost:$port (is it running? with a USB receiver: gpsd /dev/ttyACM0)"
[[ $code == 2 && $err == "$want" ]] || { echo "gpsd gone: exit $code: $err"; exit 1; }
echo "gpsd live test passed"
