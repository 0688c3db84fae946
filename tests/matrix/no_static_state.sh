#!/usr/bin/env bash
# The device and the shell keep all their state in their objects: devices on several threads
# share nothing. Every writable object the libraries define (outside the code's own objects)
# is listed here; only the C++ runtime's own are allowed.
set -euo pipefail
found=$(for library in "$@"; do
    objdump -t -C "$library" |
        awk '$1 ~ /^[0-9a-f]+$/ && / O / && /\.(bss|data)/ && !/\.data\.rel\.ro/' |
        grep -v -e 'std::__ioinit' -e 'DW\.ref\.__gxx_personality_v0' -e '__asan' -e '__odr_asan' -e '__tsan' \
            -e '__sancov' -e '__ubsan' -e '\.L' || true
done)
if [[ -n $found ]]; then
    echo "FAILED: static objects that can change, shared by every device:"
    echo "$found"
    exit 1
fi
echo "no static object that can change in: ${*##*/}"
