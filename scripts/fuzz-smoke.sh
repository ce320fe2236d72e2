#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/fuzz_*.cpp: the link protocol's parsers,
# the WAV reader, import's JSON reader, the sound-file import) with clang and
# runs each for a while.
#   scripts/fuzz-smoke.sh [SECONDS] [BUILD_DIR]
# SECONDS defaults to 15 (a longer run: scripts/fuzz-smoke.sh 600); BUILD_DIR
# to build-fuzz beside the sources. Exits 0 without fuzzing when clang or its
# libFuzzer runtime is missing, and non-zero when a fuzzer finds a crash.
set -euo pipefail

seconds="${1:-15}"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${2:-$source_dir/build-fuzz}"

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "fuzz-smoke: SECONDS must be a positive whole number, not '$seconds'" >&2
    exit 2
fi

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz-smoke: clang++ not found; skipping the fuzz run (install clang and libclang-rt-14-dev)"
    exit 0
fi
probe_dir="$(mktemp -d)"
trap 'rm -rf "$probe_dir"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$probe_dir/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe_dir/probe.cpp" -o "$probe_dir/probe" \
    >/dev/null 2>&1; then
    echo "fuzz-smoke: clang has no libFuzzer runtime here; skipping the fuzz run (install libclang-rt-14-dev)"
    exit 0
fi

generator=()
if command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi
mkdir -p "$build_dir"
CC=clang CXX=clang++ cmake -S "$source_dir/fuzz" -B "$build_dir" "${generator[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build_dir/configure.log" 2>&1 || {
    cat "$build_dir/configure.log" >&2
    exit 1
}
cmake --build "$build_dir" -j2

export TMPDIR="$probe_dir"
status=0
# Every fuzz/fuzz_NAME.cpp is the target fuzz_NAME; each one runs.
for source in "$source_dir"/fuzz/fuzz_*.cpp; do
    target="$(basename "$source" .cpp)"
    if [ ! -x "$build_dir/$target" ]; then
        echo "fuzz-smoke: $target was not built" >&2
        status=1
        continue
    fi
    corpus="$build_dir/corpus/$target"
    # Seeds kept with the sources (fuzz/corpus/TARGET), read but never written.
    seeds=()
    if [ -d "$source_dir/fuzz/corpus/$target" ]; then
        seeds=("$source_dir/fuzz/corpus/$target")
    fi
    artifacts="$build_dir/artifacts/$target/"
    mkdir -p "$corpus" "$artifacts"
    echo "fuzz-smoke: running $target for ${seconds}s"
    if ! "$build_dir/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" "${seeds[@]}" \
        >"$build_dir/$target.log" 2>&1; then
        echo "fuzz-smoke: $target FAILED; see $build_dir/$target.log and $artifacts" >&2
        tail -40 "$build_dir/$target.log" >&2
        status=1
    else
        echo "fuzz-smoke: $target passed ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$build_dir/$target.log" | grep -o '[0-9]*$') runs)"
    fi
done
exit "$status"
