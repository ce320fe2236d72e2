#!/usr/bin/env bash
# Installs what is missing, builds Quillary and starts a demo session: when no
# unit is attached (no USB serial device and QUILLARY_LINK_DEVICE unset), the
# bundled unit simulator stands in for one, with its state kept between runs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${QUILLARY_APP_BUILD:-build-app}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUILLARY_BUILD_TESTS=OFF -DQUILLARY_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Quillary needs a graphical session: set DISPLAY, or run it under xvfb-run." >&2
    exit 1
fi

# What this script starts or makes, it stops or removes on the way out.
runtime=
simulator=
cleanup() {
    if [ -n "$simulator" ]; then kill "$simulator" 2>/dev/null || true; fi
    if [ -n "$runtime" ]; then rm -rf "$runtime"; fi
}
trap cleanup EXIT

if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    runtime=$(mktemp -d)
    chmod 700 "$runtime"
    export XDG_RUNTIME_DIR=$runtime
fi

if [ -z "${QUILLARY_LINK_DEVICE:-}" ] && ! compgen -G '/dev/ttyACM*' >/dev/null &&
    ! compgen -G '/dev/ttyUSB*' >/dev/null; then
    state=${XDG_STATE_HOME:-$HOME/.local/state}/quillary/unit-simulator
    mkdir -p "$state"
    "$build/bin/velk-unit-sim" --state "$state" --link "$state/tty" &
    simulator=$!
    for _ in $(seq 50); do [ -e "$state/tty" ] && break; sleep 0.1; done
    export QUILLARY_LINK_DEVICE=$state/tty
    echo "No unit attached: using the unit simulator at $QUILLARY_LINK_DEVICE"
fi

"$build/bin/quillary" "$@"
