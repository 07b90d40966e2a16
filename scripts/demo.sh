#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo from the repository root. Options go to the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec ./build/nightglass "$@"
