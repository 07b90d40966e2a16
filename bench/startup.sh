#!/bin/bash
# Start-up cost of the production: time from starting the process to its first presented frame,
# and the peak resident memory by then, each the median of 5 runs. Runs under Xvfb at 1280x720
# with Mesa's software renderer; starts its own Xvfb when there is no display.
#
# Usage, from the repository root after a build:
#   bench/startup.sh [--build DIR] [nightglass options...]    (for example --aa 4)
set -euo pipefail

screen=1280x720x24
source "$(dirname "$0")/common.sh" "$@"
set -- "${args[@]}"

runs=5
times=()
memories=()
cpus=()
mains=()
for ((run = 0; run < runs; ++run)); do
    started=$(date +%s%N)
    report=$("$program" --benchmark-start --windowed --size 1280x720 --aspect 16:9 "$@" 2>/dev/null |
             grep '^first-frame-unix-ns') || { echo "startup.sh: run $run printed no report" >&2; exit 1; }
    read -r _ presented _ peak _ presents _ cpu _ main <<<"$report"
    times+=($(((presented - started) / 1000000)))
    memories+=($((peak / 1024)))
    cpus+=("$cpu")
    mains+=("$main")
done

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
echo "start to first frame: median $(median "${times[@]}") ms (runs: ${times[*]} ms)"
echo "peak resident memory: median $(median "${memories[@]}") MB (runs: ${memories[*]} MB)"
echo "CPU time by then: median $(median "${cpus[@]}") ms, main thread $(median "${mains[@]}") ms"
echo "loading screens presented: $presents"
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
