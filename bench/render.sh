#!/bin/bash
# What the render farm gains on this machine: renders a fixed excerpt (the step from the Mars
# section into the explosion, 50 to 60 s, at 640x360 and 30 frames a second, in 2 s chunks) with
# scripts/render.sh on 1, 2 and all local slots, after one plain --capture of the same frames,
# and prints the wall-clock time, the frames per second and the gain over the single capture.
# Runs under its own Xvfb when there is no display.
#
# Usage, from the repository root after a build:
#   bench/render.sh [--build DIR] [--from S --to S --size WxH ...]   (render.sh options)
set -euo pipefail

screen=640x360x24
source "$(dirname "$0")/common.sh" "$@"
set -- "${args[@]}"
command -v parallel >/dev/null || { echo "render.sh bench: needs GNU parallel" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
excerpt=(--from 50 --to 60 --fps 30 --size 640x360 --aspect 16:9 "$@")
NIGHTGLASS=$(realpath "$program")
export NIGHTGLASS
TIMEFORMAT=%R

single=$({ time "$program" --capture "$work/single.mkv" --lossless "${excerpt[@]}" 2>/dev/null; } 2>&1)
frames=$(ffprobe -v error -count_packets -select_streams v:0 -show_entries stream=nb_read_packets -of csv=p=0 "$work/single.mkv")
printf '%-22s %8s %10s %8s\n' run "wall s" "frames/s" gain
printf '%-22s %8.1f %10.2f %8s\n' "single --capture" "$single" "$(awk -v f="$frames" -v w="$single" 'BEGIN { print f / w }')" 1.00
for slots in $(printf '%s\n' 1 2 "$(nproc)" | awk '!seen[$1]++'); do
    wall=$({ time scripts/render.sh "$work/render_$slots.mkv" "${excerpt[@]}" --chunk 2 -j "$slots" 2>"$work/log"; } 2>&1) ||
        { tr '\r' '\n' <"$work/log" | tail -n 5 >&2; echo "render.sh bench: the render on $slots slots failed" >&2; exit 1; }
    printf '%-22s %8.1f %10.2f %8.2f\n' "render.sh -j $slots" "$wall" "$(awk -v f="$frames" -v w="$wall" 'BEGIN { print f / w }')" \
        "$(awk -v s="$single" -v w="$wall" 'BEGIN { print s / w }')"
done
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
