#!/usr/bin/env bash
# Captures the production every 2 seconds at 640x360 and lays the frames out in one contact sheet
# (build/contactsheet.png, time and row under each frame). Exits 1 when a frame is one flat colour
# outside the intended fades listed below. Runs under a virtual X server when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
frames="$build_dir/contactsheet-frames"
# Moments the timeline means to be one flat colour: 0 s lies on the edge of the opening window,
# where a window draws nothing, and 216 s is the white flash of the closing picture (its fade to
# black ends at 220 s, after the last frame here).
intended_blank="0,216"

times=$(seq -s, 0 2 218)
rm -rf "$frames"
capture=("$build_dir/nightglass" --capture "$frames" --times "$times" --size 640x360 --aspect 16:9)
if [ -z "${DISPLAY:-}" ]; then
  LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1920x1080x24" "${capture[@]}"
else
  "${capture[@]}"
fi
"$build_dir/tools/make_contactsheet" "$frames" 60 data/fonts/eurostile.ttf "$build_dir/contactsheet.png" "$intended_blank"
