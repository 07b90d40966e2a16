# The start the bench scripts share, sourced with the script's arguments after setting `screen`
# (the Xvfb screen, WxHxDEPTH): takes "--build DIR" (default build) from the front, leaves the
# rest in `args`, and re-runs the script under its own Xvfb when there is no display.
build=build
args=("$@")
if [[ "${args[0]:-}" == "--build" ]]; then
    build=${args[1]}
    args=("${args[@]:2}")
fi
program="$build/nightglass"
[[ -x "$program" ]] || { echo "$(basename "$0"): no $program; build first" >&2; exit 2; }

if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 $screen -noreset" "$0" --build "$build" "${args[@]}"
fi
export LIBGL_ALWAYS_SOFTWARE=1
