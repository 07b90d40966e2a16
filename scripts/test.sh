#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite under a virtual X server
# with Mesa's software renderer, so GL tests run (never skip) on machines without display or GPU.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The suite runs once, in a build with AddressSanitizer (with LeakSanitizer) and
# UndefinedBehaviorSanitizer and warnings as errors, where a stray read or write, undefined
# behaviour or a leak fails the test instead of passing unnoticed. A second, plain pass would
# run the same tests and push CI past its hour on two cores. tests/lsan.supp lists the
# libraries' own leaks.
BUILD_DIR=build-asan scripts/build.sh -DNIGHTGLASS_SANITIZE=ON -DNIGHTGLASS_WERROR=ON
source scripts/sanitized_run_env.sh
"${xvfb[@]}" ctest --test-dir build-asan --output-on-failure -j2 --no-tests=error
# The program itself, from start to exit: no error, no GL error and no leak of ours.
frames=$(mktemp -d)
if ! "${xvfb[@]}" build-asan/nightglass --flow data/test.flow --capture "$frames" \
    --times 1,20 --size 160x90 --gl-debug 2>"$frames/stderr.txt" || grep -q 'GL error' "$frames/stderr.txt"; then
  cat "$frames/stderr.txt" >&2
  echo "the sample timeline failed under the sanitizers or raised GL errors" >&2
  exit 1
fi
rm -rf "$frames"
