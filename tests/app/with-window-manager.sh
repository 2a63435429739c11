#!/usr/bin/env bash
# Runs a test program on a display of its own, under a window manager that
# frames its windows as a desktop's does: Xvfb and openbox.
set -euo pipefail
display=""
for n in $(seq 150 199); do
    if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
        display=:$n
        break
    fi
done
[[ -n $display ]] || { echo "with-window-manager: no free display" >&2; exit 1; }
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $manager $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [[ -e /tmp/.X11-unix/X${display#:} ]] && break
    sleep 0.1
done
DISPLAY=$display openbox >/dev/null 2>&1 &
manager=$!
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$@"
