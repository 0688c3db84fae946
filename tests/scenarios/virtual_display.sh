# Sourced by the tests that open the real window. Leaks of the desktop libraries, not the
# simulator's, do not fail a sanitizer build. start_virtual_display starts an X server of
# the test's own (-noreset, so that no client waits for a server reset) and exports DISPLAY;
# the caller's `work` is its folder and its `pids` lists what to stop at the end.
start_virtual_display() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
}

export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/real_window/lsan_suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
