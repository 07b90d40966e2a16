#!/bin/bash
# Frame cost of each effect of the production: captures 1 s from a moment inside each effect's
# section (31 frames at 30 a second, 640x360, no multisampling, PNGs thrown away) with --profile,
# and prints the whole frame's milliseconds, the effect's own CPU and GPU milliseconds and the
# frames per second that frame time allows, all without the slowest frame (the first, which
# compiles the shaders and uploads the textures; bench/startup.sh measures that). Runs under its own Xvfb with Mesa's software renderer when
# there is no display.
#
# Usage, from the repository root after a build:
#   bench/effects.sh [--build DIR] [NAME@SECONDS ...] [-- nightglass options...]
#   (for example: bench/effects.sh mars@45 -- --aa 4 --size 1280x720)
set -euo pipefail

screen=1920x1080x24
source "$(dirname "$0")/common.sh" "$@"
set -- "${args[@]}"

moments=()
while (($#)) && [[ "$1" != "--" ]]; do
    moments+=("$1")
    shift
done
[[ "${1:-}" == "--" ]] && shift
if ((${#moments[@]} == 0)); then
    moments=(dome@10 mars@45 lolscene@35 explosion@75 icefractal@100 devil@120 desp@140
             tornardo@155 logopart@175 doftubes@200 metaplanet@218)
fi

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
printf '%-12s %7s %14s %14s %14s %9s\n' effect from "frame ms" "effect cpu ms" "effect gpu ms" "frames/s"
for moment in "${moments[@]}"; do
    name=${moment%@*}
    from=${moment#*@}
    to=$(awk -v f="$from" 'BEGIN { print f + 1 }')
    report=$("$program" --capture "$frames" --from "$from" --to "$to" --fps 30 --size 640x360 --aa 0 \
             --profile "$@" 2>/dev/null) || { echo "effects.sh: the capture at $from s failed" >&2; exit 1; }
    rm -f "$frames"/*.png
    # The effect's own row is the first after the whole frame's; its class name need not match
    # the flow element's.
    # The rows give a mean over n frames and the slowest; the GPU column has only a mean.
    awk -v name="$name" -v from="$from" '
        function steady(mean, n, slowest) { return (mean * n - slowest) / (n - 1) }
        $1 == "(whole" { frame = steady($4, $3, $5) }
        $1 ~ /^Nightglass::/ && !cpu { cpu = steady($3, $2, $4); gpu = $5 }
        END { printf "%-12s %7s %14.1f %14.1f %14s %9.1f\n", name, from, frame, cpu, gpu, 1000 / frame }
    ' <<<"$report"
done
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
