#!/bin/sh
# Synthesises Command.mp3, the short chime played when a command runs.
#
# Usage: make_sound.sh OUT.mp3
#
# Two soft bell-like notes a fifth apart (C6, then G6 80 ms later), each a
# sine with two quieter overtones and a logarithmic decay; about 0.35 s.
# Needs sox and lame. No sound device is used, and the output is the same
# on every run: sox runs in repeatable mode without dither.
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 OUT.mp3" >&2
    exit 2
fi
out=$1

rate=44100

# partial FREQUENCY START LENGTH LEVEL: one decaying sine as a mixer input
# at the given level, with a 4 ms attack and a decay over the rest of its
# length, delayed by START seconds.
partial() {
    decay=$(awk "BEGIN { print $3 - 0.004 }")
    printf '%s\n' -v "$4" \
        "|sox -R -D -n -r $rate -c 1 -p synth $3 sine $1 fade l 0.004 $3 $decay pad $2"
}

# The mix is brought to a peak of -6 dBFS.
IFS='
'
# shellcheck disable=SC2046 # one word per line of partial's output
sox -V1 -R -D -m \
    $(partial 1046.50 0    0.30 0.34) \
    $(partial 2093.00 0    0.16 0.08) \
    $(partial 3139.50 0    0.08 0.03) \
    $(partial 1567.98 0.08 0.27 0.30) \
    $(partial 3135.96 0.08 0.14 0.07) \
    $(partial 4703.94 0.08 0.07 0.02) \
    -r "$rate" -c 1 -b 16 -e signed -t wav - gain -n -6 \
  | lame --quiet -m m -b 128 --noreplaygain - "$out"
