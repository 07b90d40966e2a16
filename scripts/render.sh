#!/usr/bin/env bash
# Renders the production, or a range of it, into one video file with the music, split into chunks
# of whole frames that GNU parallel runs on local slots or on ssh hosts. Every chunk is captured
# losslessly (FFV1 in Matroska) with the first frame of the next chunk, and the two renderings of
# every seam frame must be identical; the chunks are joined without re-encoding and encoded once.
#
#   scripts/render.sh OUTPUT [--from S] [--to S] [--fps N] [--size WxH] [--aspect 4:3|16:9|16:10]
#                     [--flow FILE] [--preset master|web] [--upscale 2160p] [--chunk SECONDS]
#                     [-j N] [--hosts FILE] [--resume]
#
# OUTPUT ends in .mkv or .mp4 (master: lossless FFV1 + FLAC, .mkv only; web: H.264 + AAC). The demo
# is $NIGHTGLASS when set, else build/nightglass, else nightglass on the PATH, on every host.
# --hosts takes GNU parallel's sshlogin file; a host needs the installed demo, ffmpeg, rsync, and
# xvfb when it has no display, and a --flow FILE of its own at the same path. The chunks, the job log and the progress live in OUTPUT.render/ until the
# video is made; --resume picks a stopped render up there without redoing finished chunks.
set -euo pipefail

usage()
{
    sed -n '/^#   scripts/,/^#  *\[-j N/p' "$0" | sed 's/^# \{0,3\}//' >&2
    exit 2
}
fail() { echo "render.sh: $*" >&2; exit 1; }

(($# >= 1)) || usage
output=$1
shift
from=0 to="" fps=60 size=1920x1080 aspect=16:9 flow="" preset=master upscale="" chunk=4 slots="" hosts="" resume=0
while (($#)); do
    case $1 in
        --from) from=$2; shift 2 ;;
        --to) to=$2; shift 2 ;;
        --fps) fps=$2; shift 2 ;;
        --size) size=$2; shift 2 ;;
        --aspect) aspect=$2; shift 2 ;;
        --flow) flow=$2; shift 2 ;;
        --preset) preset=$2; shift 2 ;;
        --upscale) upscale=$2; shift 2 ;;
        --chunk) chunk=$2; shift 2 ;;
        -j) slots=$2; shift 2 ;;
        --hosts) hosts=$2; shift 2 ;;
        --resume) resume=1; shift ;;
        *) usage ;;
    esac
done
case $output in
    *.mkv | *.mp4) ;;
    *) fail "OUTPUT must end in .mkv or .mp4, not $output" ;;
esac
[[ $preset == master || $preset == web ]] || fail "--preset is master or web, not $preset"
[[ $preset == master && $output != *.mkv ]] && fail "the master preset is FFV1 with FLAC in Matroska: name OUTPUT .mkv"
[[ -z $upscale || $upscale == 2160p ]] || fail "--upscale takes 2160p"
[[ $aspect == 4:3 || $aspect == 16:9 || $aspect == 16:10 ]] || fail "--aspect is 4:3, 16:9 or 16:10, not $aspect"
[[ $size =~ ^([0-9]+)x([0-9]+)$ ]] || fail "--size expects WxH, not $size"
if [[ -n $upscale ]]; then
    width=${BASH_REMATCH[1]} height=${BASH_REMATCH[2]}
    ((3840 % width == 0 && 2160 % height == 0 && 3840 / width == 2160 / height)) \
        || fail "--upscale 2160p scales by a whole factor: --size must divide 3840x2160 (1920x1080, 1280x720, ...)"
fi
[[ $fps =~ ^[0-9]+$ ]] && ((fps > 0)) || fail "--fps expects a whole number of frames a second"
number='^[0-9]+([.][0-9]*)?$'
for value in "$from" "$chunk" ${to:+"$to"}; do
    [[ $value =~ $number ]] || fail "--from, --to and --chunk expect seconds, not $value"
done
[[ -z $slots || $slots =~ ^[1-9][0-9]*$ ]] || fail "-j expects a number of slots, not $slots"
[[ -n $hosts && ! -r $hosts ]] && fail "cannot read the hosts file $hosts"
for tool in parallel ffmpeg ffprobe; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (Debian: apt install ${tool/ffprobe/ffmpeg})"
done

# The demo this machine runs; every host finds its own the same way.
if [[ -n ${NIGHTGLASS:-} ]]; then
    demo=$NIGHTGLASS
elif [[ -x build/nightglass ]]; then
    demo=$(realpath build/nightglass)
else
    demo=$(command -v nightglass) || fail "no demo: set NIGHTGLASS, build build/nightglass or install nightglass"
fi
flowOption=()
[[ -n $flow ]] && flowOption=(--flow "$(realpath "$flow")")

# The frames to render, on the frame grid: first to last inclusive, as --capture counts them.
if [[ -z $to ]]; then
    to=$("$demo" "${flowOption[@]}" --print-end-time) || fail "$demo could not read the end of the timeline"
fi
read -r first last < <(awk -v f="$from" -v t="$to" -v r="$fps" \
    'function ceil(x) { return x == int(x) ? x : int(x) + (x > 0) } BEGIN { print ceil(f * r - 1e-6), int(t * r + 1e-6) }')
((last >= first)) || fail "no frame lies between $from s and $to s at $fps frames a second"
total=$((last - first + 1))
perChunk=$(awk -v c="$chunk" -v r="$fps" 'BEGIN { n = int(c * r + 1e-6); print (n > 0) ? n : 1 }')
music=$("$demo" "${flowOption[@]}" --print-music-path) || fail "$demo could not read the timeline's music"
[[ -z $music || -r $music ]] || fail "the music $music cannot be read"

output=$(realpath -m "$output")
work=$output.render
settings="$first $last $fps $size $aspect $perChunk ${flow:-production}"
if ((resume)); then
    [[ -f $work/settings && $(<"$work/settings") == "$settings" ]] \
        || fail "nothing to resume in $work for these settings; start without --resume"
else
    rm -rf "$work"
    mkdir -p "$work"
    echo "$settings" >"$work/settings"
fi
# One job a chunk: its number, its first frame and its last, which is the next chunk's first.
jobs=$work/jobs
: >"$jobs"
for ((start = first, id = 0; id == 0 || start < last; start += perChunk, id++)); do
    end=$((start + perChunk))
    ((end > last)) && end=$last
    echo "$id $start $end" >>"$jobs"
done
chunks=$(wc -l <"$jobs")

# Runs on the host the job lands on: captures the chunk into RENDER_OUT, reports progress lines,
# and on failure the tail of the demo's messages with the host's name.
render_chunk()
{
    local id=$1 first=$2 last=$3
    local out=$RENDER_OUT/chunk_$id.mkv err=$RENDER_OUT/chunk_$id.err demo=${NIGHTGLASS:-}
    if [[ -z $demo ]]; then
        if [[ -x build/nightglass ]]; then demo=build/nightglass; else demo=nightglass; fi
    fi
    local capture=("$demo" --capture "$out" --lossless --frames "$first:$last" --fps "$RENDER_FPS"
                   --size "$RENDER_SIZE" --aspect "$RENDER_ASPECT")
    [[ -n $RENDER_FLOW ]] && capture+=(--flow "$RENDER_FLOW")
    [[ -z ${DISPLAY:-} ]] && capture=(xvfb-run -a -s "-screen 0 ${RENDER_SIZE}x24 -noreset" "${capture[@]}")
    "${capture[@]}" </dev/null 2>&1 >/dev/null | tr '\r' '\n' | tee "$err" \
        | awk -v id="$id" '$1 == "frame" { split($2, n, "/"); print "progress", id, n[1]; fflush() }'
    local status=${PIPESTATUS[0]}
    if ((status != 0)); then
        echo "render.sh: chunk $id failed on $(hostname) with exit status $status; its last messages:"
        grep -v '^frame ' "$err" | tail -n 20 | sed 's/^/    /'
        rm -f "$out"
        return "$status"
    fi
    rm -f "$err"
}
export -f render_chunk
# A flow of its own is read from the same path on every host.
export RENDER_FPS=$fps RENDER_SIZE=$size RENDER_ASPECT=$aspect RENDER_FLOW=${flow:+$(realpath "$flow")} RENDER_OUT

# Local slots run in this folder, where build/nightglass finds its data, and write into the work
# folder; a host runs in a folder of parallel's own, from which its chunks come back here.
parallelOptions=(--will-cite --colsep ' ' --line-buffer --joblog "$work/joblog" --retries 2 --halt never)
((resume)) && parallelOptions+=(--resume-failed)
if [[ -n $hosts ]]; then
    RENDER_OUT=.
    parallelOptions+=(--sshloginfile "$(realpath "$hosts")" --workdir ... --return 'chunk_{1}.mkv' --cleanup
                      --env render_chunk --env RENDER_FPS --env RENDER_SIZE --env RENDER_ASPECT --env RENDER_FLOW --env RENDER_OUT)
    [[ -n ${NIGHTGLASS:-} ]] && parallelOptions+=(--env NIGHTGLASS)
    parallelDir=$work
else
    RENDER_OUT=$(realpath "$work")
    NIGHTGLASS=$demo
    export NIGHTGLASS
    parallelOptions+=(-j "${slots:-$(nproc)}")
    parallelDir=.
fi

# Frames done across all chunks (a seam frame counts once), the rate and the time left, on one
# line that keeps being rewritten; failures pass through as they come.
report_progress()
{
    awk -v total="$total" -v start="$(date +%s)" -v before="$1" -v chunks="$chunks" '
        NR == FNR { size[$1] = $3 - $2 + ($1 + 1 == chunks); next }
        function show(   now, rate, left) {
            now = systime()
            printf "\rrender: %d/%d frames", done, total > "/dev/stderr"
            if (now - start >= 3 && done > before) {
                rate = (done - before) / (now - start); left = (total - done) / rate
                printf ", %.1f frames/s, %d min %02d s left ", rate, left / 60, left % 60 > "/dev/stderr"
            }
            shown = 1
        }
        $1 == "progress" { seen[$2] = ($3 < size[$2]) ? $3 : size[$2]; done = before + ended
                           for (c in seen) done += seen[c]; show(); next }
        $1 == "done" { ended += size[$2]; delete seen[$2]; next }
        { if (shown) printf "\n" > "/dev/stderr"; shown = 0; print > "/dev/stderr" }
        END { printf "\n" > "/dev/stderr" }' "$jobs" -
}

# Chunks a stopped render finished already count as done from the start.
alreadyDone=0
if ((resume)) && [[ -f $work/joblog ]]; then
    alreadyDone=$(awk -v chunks="$chunks" 'NR == FNR { split($0, f, "\t"); split(f[9], c, " ")
                                                      if (FNR > 1 && f[7] == 0) finished[c[2]] = 1; next }
                       $1 in finished { s += $3 - $2 + ($1 + 1 == chunks) } END { print s + 0 }' "$work/joblog" "$jobs")
fi
trap 'fail "stopped: run the same command with --resume to go on"' INT TERM
set +e
(cd "$parallelDir" && parallel "${parallelOptions[@]}" \
    'render_chunk {1} {2} {3} && echo done {1}' :::: "$jobs") | report_progress "$alreadyDone"
set -e
trap - INT TERM
cd "$work"
missing=()
for ((id = 0; id < chunks; id++)); do
    [[ -s chunk_$id.mkv ]] || missing+=("$id")
done
if ((${#missing[@]})); then
    # The job log is tab-separated: host, exit status and the command, whose second word is the chunk.
    awk -F '\t' 'NR > 1 && $7 != 0 { split($9, c, " "); n = split($2, h, " "); host = ($2 == ":") ? "this machine" : h[n]
                                     print "render.sh: chunk " c[2] " failed on " host " (exit " $7 ")" }' joblog >&2
    fail "chunks ${missing[*]} were not rendered; fix the cause and run again with --resume"
fi

# Each chunk's last frame is the next chunk's first: both renderings must be the same pixels.
# Every frame is a key frame, so only the last second of a chunk is decoded for its last frame.
frame_md5() { ffmpeg -nostdin -v error "$@" -map 0:v -f framemd5 - | awk '!/^#/ { print $NF }' | tail -n 1; }
for ((id = 0; id + 1 < chunks; id++)); do
    [[ $(frame_md5 -sseof -1 -i "chunk_$id.mkv") == "$(frame_md5 -i "chunk_$((id + 1)).mkv" -frames:v 1)" ]] \
        || fail "the seam after chunk $id differs: its last frame and the first of chunk $((id + 1)) are not the same pixels"
done

# Joined without re-encoding: every chunk but the last leaves its seam frame to the next.
: >concat.txt
while read -r id start end; do
    n=$((end - start + 1))
    ((id + 1 < chunks)) && n=$((n - 1))
    ffmpeg -nostdin -v error -y -i "chunk_$id.mkv" -map 0:v -c copy -frames:v "$n" "part_$id.mkv"
    echo "file 'part_$id.mkv'" >>concat.txt
done <"$jobs"
ffmpeg -nostdin -v error -y -f concat -safe 0 -i concat.txt -map 0:v -c copy joined.mkv
frames=$(ffprobe -v error -count_packets -select_streams v:0 -show_entries stream=nb_read_packets -of csv=p=0 joined.mkv)
((frames == total)) || fail "the joined chunks hold $frames frames, not $total"

# One encode with the music from the first frame's time, padded with silence should it end first.
musicInput=() musicOutput=()
if [[ -n $music ]]; then
    musicInput=(-ss "$(awk -v f="$first" -v r="$fps" 'BEGIN { printf "%.9f", f / r }')" -i "$music")
    musicOutput=(-map 1:a -af apad)
fi
length=$(awk -v n="$total" -v r="$fps" 'BEGIN { printf "%.9f", n / r }')
scale=""
[[ $upscale == 2160p ]] && scale="scale=3840:2160:flags=neighbor,"
if [[ $preset == master ]]; then
    codec=(-c:v copy)
    [[ -n $scale ]] && codec=(-vf "${scale%,}" -c:v ffv1 -level 3 -pix_fmt gbrp -slicecrc 1 -g 1)
    codec+=(-c:a flac)
else
    gop=$((fps / 2 > 0 ? fps / 2 : 1))
    codec=(-vf "${scale}pad=ceil(iw/2)*2:ceil(ih/2)*2,scale=out_color_matrix=bt709:out_range=tv,format=yuv420p"
           -c:v libx264 -profile:v high -preset slow -crf 18 -g "$gop" -keyint_min "$gop" -sc_threshold 0 -bf 2 -flags +cgop
           -colorspace bt709 -color_primaries bt709 -color_trc bt709 -color_range tv
           -c:a aac -profile:a aac_low -ar 48000 -b:a 384k -movflags +faststart)
fi
partial=$output.partial.${output##*.}
ffmpeg -nostdin -v error -y -i joined.mkv "${musicInput[@]}" -map 0:v "${musicOutput[@]}" "${codec[@]}" -t "$length" "$partial"
mv "$partial" "$output"
cd /
rm -rf "$work"
echo "render.sh: wrote $output ($total frames at $fps frames a second)" >&2
