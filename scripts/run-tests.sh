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

# CI audio server: PulseAudio with a null sink, a microphone remapped from its
# monitor and a keep-alive stream (an idle null sink runs with up to 2 s of
# latency and short recordings come back empty). Stopped on any exit.
ci_audio_keepalive=
stop_ci_audio() {
    [ -n "$ci_audio_keepalive" ] && kill "$ci_audio_keepalive" 2>/dev/null
    pulseaudio -k 2>/dev/null
    return 0
}
trap 'stop_ci_audio; rm -rf "$runtime"' EXIT
unset PULSE_SERVER
cat >"$runtime/pulse-ci.pa" <<'PA'
load-module module-native-protocol-unix auth-anonymous=1
load-module module-null-sink sink_name=ci_sink sink_properties=device.description=CI_Sink
load-module module-remap-source master=ci_sink.monitor source_name=ci_mic source_properties=device.description=CI_Mic
set-default-sink ci_sink
set-default-source ci_mic
PA
pulseaudio -D -n -F "$runtime/pulse-ci.pa" --exit-idle-time=-1 --log-target=stderr 2>/dev/null || true
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pacat -p -d ci_sink --latency-msec=20 --format=s16le --rate=8000 --channels=1 --raw </dev/zero &
ci_audio_keepalive=$!
first_byte=$(timeout 5 parec -d ci_mic --raw --format=u8 --rate=8000 --channels=1 \
    --latency-msec=20 2>/dev/null | head -c1 | wc -c) || true
[ "$first_byte" = 1 ] || echo "The CI audio server did not start; the audio tests will fail." >&2

# A private PostgreSQL server for the team journal's tests, on a free port of
# 127.0.0.1 (the server refuses to run as root: it runs as postgres).
# Stopped on any exit.
pg_dir=
stop_test_pg() {
    [ -n "$pg_dir" ] && runuser -u postgres -- /usr/lib/postgresql/15/bin/pg_ctl \
        -D "$pg_dir/data" -m fast stop >/dev/null 2>&1
    [ -n "$pg_dir" ] && rm -rf "$pg_dir"
    return 0
}
trap 'stop_test_pg; stop_ci_audio; rm -rf "$runtime"' EXIT
if [ -x /usr/lib/postgresql/15/bin/initdb ]; then
    pg_dir=$(mktemp -d)
    chown postgres: "$pg_dir"
    pg_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    if runuser -u postgres -- /usr/lib/postgresql/15/bin/initdb -D "$pg_dir/data" -A trust \
        -U quillary >/dev/null &&
        runuser -u postgres -- /usr/lib/postgresql/15/bin/pg_ctl -D "$pg_dir/data" \
            -l "$pg_dir/log" -w -o "-k $pg_dir -c listen_addresses=127.0.0.1 -p $pg_port" \
            start >/dev/null; then
        export QUILLARY_TEST_PG="host=127.0.0.1 port=$pg_port user=quillary dbname=postgres"
    else
        echo "The test PostgreSQL server did not start; the team journal's tests will fail." >&2
    fi
fi

# All test output goes to a log, so that the skipped test functions of every
# QtTest program ("Totals: P passed, F failed, S skipped") can be counted. The
# console gets ctest's summary, and the output of each test that failed.
log=$runtime/ctest.log
status=0
ctest --test-dir "$build" --output-on-failure --timeout 300 -V >"$log" 2>&1 || status=$?
grep -E '^ *[0-9]+/[0-9]+ Test +#|tests passed|Total Test time|^The following tests FAILED|^[[:space:]]+[0-9]+ - ' "$log" || true
if [ "$status" -ne 0 ]; then
    for number in $(sed -n '/^The following tests FAILED:/,$ s/^[[:space:]]*\([0-9]\+\) - .*/\1/p' "$log"); do
        echo "---- output of test $number ----"
        grep "^$number: " "$log" || true
    done
fi
grep -E '^[0-9]+: SKIP ' "$log" || true
skipped=$(sed -n 's/.*Totals: [0-9]* passed, [0-9]* failed, \([0-9]*\) skipped.*/\1/p' "$log" |
    awk '{ total += $1 } END { print total + 0 }')
echo "Skipped test functions: $skipped"
if [ "$status" -ne 0 ]; then
    exit "$status"
fi

if [ -x scripts/fuzz-smoke.sh ]; then
    scripts/fuzz-smoke.sh 15
fi

# The Debian package: built in Release without sanitizers, installed with apt
# as a user would install it, then its installed pieces are checked.
package_build=${QUILLARY_PACKAGE_BUILD:-build-package}
cmake -S . -B "$package_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DQUILLARY_BUILD_TESTS=OFF -DQUILLARY_BUILD_BENCHMARKS=OFF
cmake --build "$package_build" -j"$(nproc)"
packages=(quillary libvelklink1 libvelklink-dev)
for package in "${packages[@]}"; do rm -f "$package_build/${package}"_*.deb; done
(cd "$package_build" && cpack -G DEB)
debs=()
for package in "${packages[@]}"; do debs+=("$(realpath "$package_build")/${package}"_*.deb); done
# Debian's own checks of a package: any error or warning fails the run.
# (Run as root, lintian first says that it should not be: that is no finding.)
lintian --fail-on error,warning "${debs[@]}"
# Slim images tell dpkg to leave manual pages out; this package's must arrive.
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall \
    -o 'DPkg::Options::=--path-include=/usr/share/man/man1/*' "${debs[@]}"
(
    set -x
    version=$(dpkg-query -W -f='${Version}' quillary)
    [ "$(quillary-cli --version)" = "quillary-cli $version" ]
    [ "$(velk-unit-sim --version)" = "velk-unit-sim $version" ]
    pkg-config --cflags --libs velklink
    probe=$(mktemp -d)
    printf '#include <velklink.h>\nint main() { return LinkStartup() == LINK_OK ? LinkCleanup() : 1; }\n' \
        >"$probe/probe.cpp"
    # shellcheck disable=SC2046 # pkg-config's words are meant to split
    c++ "$probe/probe.cpp" -o "$probe/probe" $(pkg-config --cflags --libs velklink)
    "$probe/probe"
    man -w quillary
    man -w quillary-cli
    man -w velk-unit-sim
    desktop-file-validate /usr/share/applications/quillary.desktop
    # --strict fails on every issue but the pedantic hints, which are only
    # printed; none may be.
    appstream=$(appstreamcli validate --pedantic --strict --no-net \
        /usr/share/metainfo/org.quillary.quillary.metainfo.xml)
    echo "$appstream"
    if grep -q '^[EWIP]: ' <<<"$appstream"; then exit 1; fi
    # A desktop sees a .QRB of any case as Quillary's and opens it with
    # Quillary: the package's MIME type and desktop entry, put into the
    # system's databases by the dpkg triggers of shared-mime-info and
    # desktop-file-utils. Empty user folders, so that only those count. The
    # files are full size: GIO calls every empty file text/plain.
    mkdir -p "$probe/config" "$probe/data"
    head -c 22272 /dev/zero >"$probe/SITE.QRB"
    head -c 22272 /dev/zero >"$probe/site.Qrb"
    for file in "$probe/SITE.QRB" "$probe/site.Qrb"; do
        [ "$(XDG_CONFIG_HOME=$probe/config XDG_DATA_HOME=$probe/data \
            gio info -a standard::content-type "$file" | sed -n 's/^ *standard::content-type: //p')" \
            = application/x-quillary-configuration ]
    done
    handlers=$(XDG_CONFIG_HOME=$probe/config XDG_DATA_HOME=$probe/data \
        gio mime application/x-quillary-configuration)
    head -n1 <<<"$handlers" | grep -q ': quillary\.desktop$'
    # What the desktop then runs, "quillary FILE", opens the file: it is
    # loaded once the window shows and so becomes the first recent
    # configuration in the program's settings. (It runs until stopped.)
    head -c 22272 /dev/zero >"$probe/Site.QRB"
    status=0
    XDG_CONFIG_HOME=$probe/config XDG_DATA_HOME=$probe/data QT_QPA_PLATFORM=offscreen \
        timeout 5 quillary "$probe/Site.QRB" || status=$?
    [ "$status" = 124 ]
    grep -qx "Files=$probe/Site.QRB" "$probe/config/quillary.ini"
    rm -rf "$probe"
)
echo "Debian packages installed and checked: ${debs[*]}"
