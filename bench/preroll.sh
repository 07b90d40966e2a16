#!/bin/bash
# What a jump costs: for every section of the production, captures the section's last frame alone
# at 30 and at 60 frames a second, so that the whole section before it is pre-rolled, and prints
# the frames the pre-roll simulated and the CPU time it took on the main thread (--profile). The
# goal is at most 500 ms for any target. Runs under its own Xvfb with Mesa's software renderer
# when there is no display.
#
# Usage, from the repository root after a build: bench/preroll.sh [--build DIR] [-- options...]
set -euo pipefail

screen=640x360x24
source "$(dirname "$0")/common.sh" "$@"
set -- "${args[@]}"
[[ "${1:-}" == "--" ]] && shift

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
# Each top-level window of the flow: its element, its start and its length in rows.
mapfile -t windows < <(sed -n 's|.*<at time="\([0-9]*\)" length="\([0-9]*\)"><\([a-z]*\)/>.*|\3 \1 \2|p' data/Nightglass.flow)
printf '%-12s %9s %14s %14s %14s %14s\n' effect "last s" "frames at 30" "cpu ms at 30" "frames at 60" "cpu ms at 60"
for window in "${windows[@]}"; do
    read -r name start length <<<"$window"
    last=$(awk -v s="$start" -v l="$length" 'BEGIN { printf "%.3f", (s + l) * 15 / 162 - 0.05 }')
    row=$(printf '%-12s %9s' "$name" "$last")
    for fps in 30 60; do
        report=$("$program" --capture "$frames" --times "$last" --fps "$fps" --size 64x36 --aa 0 --profile "$@" \
                 2>/dev/null) || { echo "preroll.sh: the capture at $last s failed" >&2; exit 1; }
        rm -f "$frames"/*.png
        line=$(grep '^pre-roll' <<<"$report" || true)
        if [[ -z "$line" ]]; then
            row+=$(printf ' %14s %14s' "-" "-")
        else
            row+=$(awk '{ printf " %14d %14.1f", $5, $7 }' <<<"$line")
        fi
    done
    echo "$row"
done
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
