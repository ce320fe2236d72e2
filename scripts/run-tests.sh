#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests

build=${QUILLARY_TEST_BUILD:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DQUILLARY_SANITIZE=ON -DQUILLARY_WARNINGS_AS_ERRORS=ON
cmake --build "$build" -j"$(nproc)"

runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}

ctest --test-dir "$build" --output-on-failure --timeout 300

if [ -x scripts/fuzz-smoke.sh ]; then
    scripts/fuzz-smoke.sh 15
fi
