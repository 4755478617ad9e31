#!/usr/bin/env bash
# Measures the editor as a screen reader's user runs it, on an X server of its own: first with
# no accessibility bus, then under a private session bus with Qt's accessibility on and a
# client listening for events (bench/atspi-listener.py). The client's registration makes the
# session bus start the accessibility bus and its registry (at-spi2-core); all of it ends with
# the script.
#   bench/accessibility-bench.sh [BUILD_DIR [benchmark options...]]
# BUILD_DIR defaults to build/default. Needs xvfb, dbus, at-spi2-core and python3-pyatspi.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ${1:-} == --inside-bus ]]; then
    shift
    bench=$1
    shift
    listener_out=$(mktemp)
    /usr/bin/python3 bench/atspi-listener.py >"$listener_out" 2>&1 &
    listener=$!
    for _ in $(seq 100); do
        grep -q listening "$listener_out" && break
        sleep 0.1
    done
    grep -q listening "$listener_out" || { cat "$listener_out" >&2; exit 2; }
    status=0
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bench" "$@" || status=$?
    kill -TERM "$listener"
    wait "$listener" || true
    sed 1d "$listener_out"
    rm -f "$listener_out"
    exit "$status"
fi

build=${1:-build/default}
(($#)) && shift
bench=$(realpath "$build/bench/tolvane-bench-accessibility")
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "missing: python3-pyatspi" >&2; exit 2; }

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb

echo "== without an accessibility bus =="
env -u DBUS_SESSION_BUS_ADDRESS -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON "$bench" "$@"
echo
echo "== with the accessibility bus and a listening client =="
dbus-run-session -- "$0" --inside-bus "$bench" "$@"
