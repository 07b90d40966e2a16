#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (AddressSanitizer and UBSan) and runs each for
# SECONDS (default 30), starting from corpora seeded with our own data files. Inputs that crash,
# leak or hang are kept under build-fuzz/findings/<harness>/, and the script then fails.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"
shopt -s nullglob globstar

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIGHTGLASS_FUZZ=ON >/dev/null
cmake --build "$build_dir" --target fuzzers

# The data folder's generated files exist once the normal build has run; the seeds that are missing
# only make the start slower.
seed() {
    local corpus="$build_dir/corpus/$1"
    shift
    mkdir -p "$corpus"
    for file in "$@"; do
        cp -n "$file" "$corpus/"
    done
}
seed flow data/**/*.flow
seed track_file data/**/*.track
seed track_text data/tracks/*.txt
seed fgm data/**/*.fgm
seed fsg data/**/*.fsg
seed image data/**/*.png data/**/*.jpg
seed music data/**/*.ogg data/**/*.wav

failed=()
# Scene files keep their node tree after the meshes: the seeds must fit whole for it to be reached.
# Music stays short: decoding 64 KB of Vorbis under the sanitizers holds the harness near 90 inputs a
# second, and 8 KB already holds the headers and first pages where our decoder's branches are.
declare -A max_lens=([fsg]=524288 [music]=8192)
for harness in flow track_file track_text fgm fsg image music; do
    max_len="${max_lens[$harness]:-65536}"
    findings="$build_dir/findings/$harness"
    mkdir -p "$findings"
    echo "== fuzz_$harness for ${seconds}s"
    # The harnesses' own stderr (our loaders' warnings) is closed; libFuzzer and the sanitizers
    # keep theirs. The libraries' known leaks are suppressed as in the tests.
    if ! LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" "$build_dir/fuzz/fuzz_$harness" \
            "$build_dir/corpus/$harness" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
            -rss_limit_mb=2048 -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$findings/" \
            2>"$findings/log.txt"; then
        failed+=("$harness")
        tail -n 40 "$findings/log.txt"
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$findings/log.txt" || true
done

if ((${#failed[@]})); then
    echo "fuzzing found problems in: ${failed[*]} (inputs under $build_dir/findings/)" >&2
    exit 1
fi
