#!/bin/sh
# Makes the template voice prompts that a new configuration is seeded with:
# spoken by espeak-ng, then 8-bit unsigned mono PCM at 8000 samples per second
# with a plain 44-byte WAV header, as the unit plays them.
# Needs: espeak-ng sox.  Run from anywhere; writes beside this script.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

say() { # file text
    espeak-ng -v en -s 150 -w "$tmp/raw.wav" "$2"
    sox "$tmp/raw.wav" -r 8000 -c 1 -b 8 -e unsigned-integer "$1"
    # A plain header is 44 bytes: RIFF, fmt (16), data.
    [ "$(od -An -c -j 36 -N 4 "$1" | tr -d ' ')" = "data" ] || { echo "$1: unexpected header" >&2; exit 1; }
}

for n in $(seq 1 16); do
    nn=$(printf %02d "$n")
    say "H$nn.WAV" "Input $n high"
    say "L$nn.WAV" "Input $n low"
done
say SelectOutput.wav "Select output"
say SelectOnOff.wav "Select on or off"
