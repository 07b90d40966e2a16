#!/bin/bash
# Speed of a capture to a video: renders the production at 1280x720 and 60 frames per second with
# the settings' default multisampling into an mp4 (through ffmpeg, with the music), then prints
# --profile's table by effect and the frames, wall-clock and CPU time and frames per second of
# the whole run. The whole production takes over an hour on two cores with Mesa's software
# renderer; --from and --to capture a part. Runs under its own Xvfb when there is no display.
#
# Usage, from the repository root after a build:
#   bench/capture.sh [--build DIR] [nightglass options...]    (for example --from 40 --to 50)
set -euo pipefail

screen=1280x720x24
source "$(dirname "$0")/common.sh" "$@"
set -- "${args[@]}"
command -v ffmpeg >/dev/null || { echo "capture.sh: needs ffmpeg" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
TIMEFORMAT='%R %U %S'
{ time "$program" --capture "$work/capture.mp4" --fps 60 --size 1280x720 --aspect 16:9 --profile "$@" \
      >"$work/profile" 2>"$work/log"; } 2>"$work/time" ||
    { tr '\r' '\n' <"$work/log" | tail -n 5 >&2; echo "capture.sh: the capture failed" >&2; exit 1; }

cat "$work/profile"
frames=$(grep -o 'captured [0-9]*' "$work/log" | cut -d' ' -f2)
read -r wall user system <"$work/time"
awk -v frames="$frames" -v wall="$wall" -v cpu="$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" \
    'BEGIN { printf "captured %d frames in %.0f s (CPU %.0f s): %.2f frames per second\n", frames, wall, cpu, frames / wall }'
echo "video: $(du -h "$work/capture.mp4" | cut -f1), machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
