#!/usr/bin/env bash
# Soak runs on the sanitizer build that scripts/test.sh makes (build-asan, or $BUILD_DIR):
#  1. the production seeked to a random time SEEKS times (default 10,000), a frame drawn after
#     each, on the silent clock in a 64x36 window: no crash, no GL error, every frame where its
#     seek went (tests/nightglass/SoakTest.cpp);
#  2. the whole production captured at 160x90, FPS frames a second (default 60: every frame), with
#     --gl-debug, under AddressSanitizer and LeakSanitizer: no error and no leak of ours
#     (tests/lsan.supp lists the libraries' own).
# Prints the time, frames, errors and leaks of each and exits 1 when either found a problem.
# Usage: scripts/soak.sh [SEEKS] [FPS]
set -euo pipefail
cd "$(dirname "$0")/.."
seeks="${1:-10000}"
fps="${2:-60}"
build_dir="${BUILD_DIR:-build-asan}"
source scripts/sanitized_run_env.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

sanitizer_reports() { grep -c -E '^(==[0-9]+==ERROR|SUMMARY): (Address|Leak|UndefinedBehavior)Sanitizer' "$1" || true; }
leak_reports() { grep -c -E '^==[0-9]+==ERROR: LeakSanitizer' "$1" || true; }

echo "== $seeks random seeks through the production"
start=$SECONDS
if ! NIGHTGLASS_SOAK_SEEKS="$seeks" "${xvfb[@]}" "$build_dir/tests/nightglass_tests" \
        --gtest_filter='SoakGlTest.*' >"$work/seeks.txt" 2>&1; then
    failed=1
    tail -n 60 "$work/seeks.txt"
fi
echo "seeks: $seeks in $((SECONDS - start)) s; sanitizer reports: $(sanitizer_reports "$work/seeks.txt")," \
     "leaks: $(leak_reports "$work/seeks.txt"), GL errors: $(grep -c 'GL error' "$work/seeks.txt" || true)"

echo "== the whole production captured at 160x90, $fps frames a second"
start=$SECONDS
if ! "${xvfb[@]}" "$build_dir/nightglass" --capture "$work/frames" --fps "$fps" --size 160x90 --aspect 16:9 \
        --gl-debug >"$work/capture.txt" 2>&1; then
    failed=1
    tail -n 60 "$work/capture.txt"
fi
gl_errors=$(grep -c 'GL error' "$work/capture.txt" || true)
frames=$(find "$work/frames" -name '*.png' 2>/dev/null | wc -l)
echo "capture: $frames frames in $((SECONDS - start)) s; sanitizer reports: $(sanitizer_reports "$work/capture.txt")," \
     "leaks: $(leak_reports "$work/capture.txt"), GL errors: $gl_errors"
((gl_errors == 0)) || failed=1

exit "$failed"
