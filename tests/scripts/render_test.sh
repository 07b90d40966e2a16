#!/usr/bin/env bash
# The render farm against a single capture: the same three seconds across the step from the
# Mars section into the explosion, rendered in one-second chunks, must decode to exactly the
# frames one --capture writes as PNG.
#   render_test.sh BUILD_DIR local    two local slots
#   render_test.sh BUILD_DIR ssh      two ssh logins on a throwaway sshd on the loopback, then a
#                                     host without the demo
#   render_test.sh BUILD_DIR failure  a chunk that keeps failing: retried once, reported, no
#                                     output; then --resume renders only that chunk
# Runs from the source folder, with a display (the README's test command gives one).
set -euo pipefail
build=$(realpath "$1")
mode=$2
source_dir=$(realpath "$(dirname "$0")/../..")
work=$(mktemp -d)
trap 'cleanup' EXIT
cleanup()
{
    [[ -f $work/sshd.pid ]] && kill "$(<"$work/sshd.pid")" 2>/dev/null
    [[ -n ${KEEP_RENDER_TEST:-} ]] || rm -rf "$work"
}
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$source_dir"

range=(--from 58 --to 61 --fps 30 --size 96x54 --aspect 16:9)
frames_md5() { ffmpeg -nostdin -v error "$@" -map 0:v -pix_fmt rgb24 -f framemd5 - | awk '!/^#/ { print $NF }'; }

reference()
{
    "$build/nightglass" --capture "$work/single" "${range[@]}" 2>"$work/single.log" || { cat "$work/single.log"; exit 1; }
    frames_md5 -framerate 30 -start_number 1740 -i "$work/single/frame_%06d.png" >"$work/single.md5"
    (($(wc -l <"$work/single.md5") == 91)) || fail "the single capture wrote $(wc -l <"$work/single.md5") frames, not 91"
}

# Same frames as the single run, and the music under them for the whole length.
expect_same_as_single()
{
    local video=$1
    frames_md5 -i "$video" >"$work/render.md5"
    cmp -s "$work/render.md5" "$work/single.md5" \
        || fail "$video differs from the single capture: $(diff "$work/render.md5" "$work/single.md5" | grep -c '^<') frames"
    local audio
    audio=$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name -of csv=p=0 "$video")
    [[ $audio == flac ]] || fail "$video carries no FLAC music (audio: ${audio:-none})"
}

expect_no_output()
{
    local output=$1
    [[ ! -e $output ]] || fail "a failed render left $output"
    ! compgen -G "$output.partial*" >/dev/null || fail "a failed render left a partial $output"
}

render()
{
    scripts/render.sh "$@" "${range[@]}" --chunk 1 2>"$work/render.log"
}

case $mode in
local)
    reference
    NIGHTGLASS=$build/nightglass render "$work/local.mkv" -j 2 || { cat "$work/render.log"; fail "the render on two local slots failed"; }
    expect_same_as_single "$work/local.mkv"
    ;;

ssh)
    reference
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    ssh-keygen -q -t ed25519 -N '' -f "$work/host_key"
    ssh-keygen -q -t ed25519 -N '' -f "$work/client_key"
    cp "$work/client_key.pub" "$work/authorized_keys"
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    cat >"$work/sshd_config" <<EOF
Port $port
ListenAddress 127.0.0.1
HostKey $work/host_key
AuthorizedKeysFile $work/authorized_keys
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
PermitRootLogin prohibit-password
PidFile $work/sshd.pid
EOF
    cat >"$work/ssh_config" <<EOF
Host farm1 farm2
  HostName 127.0.0.1
  Port $port
  User $(id -un)
  IdentityFile $work/client_key
  IdentitiesOnly yes
  UserKnownHostsFile $work/known_hosts
  StrictHostKeyChecking accept-new
  BatchMode yes
EOF
    # sshd as root wants its privilege separation folder; as anyone else it runs without one.
    [[ $(id -u) -ne 0 ]] || mkdir -p /run/sshd
    /usr/sbin/sshd -f "$work/sshd_config" -E "$work/sshd.log"
    for _ in $(seq 50); do
        ssh -F "$work/ssh_config" farm1 true 2>/dev/null && break
        sleep 0.1
    done
    ssh -F "$work/ssh_config" farm1 true || { cat "$work/sshd.log"; fail "the loopback sshd does not answer"; }
    printf '1/ssh -F %s farm1\n1/ssh -F %s farm2\n' "$work/ssh_config" "$work/ssh_config" >"$work/hosts"

    # ssh hands a host none of this shell's environment: the renderer's and the sanitizers'
    # settings of the test run go along in a wrapper around the installed demo.
    {
        echo '#!/bin/sh'
        for name in LIBGL_ALWAYS_SOFTWARE MESA_SHADER_CACHE_DISABLE LSAN_OPTIONS ASAN_OPTIONS UBSAN_OPTIONS SDL_VIDEODRIVER; do
            [[ -v $name ]] && printf 'export %s=%q\n' "$name" "${!name}"
        done
        printf 'exec %q "$@"\n' "$work/prefix/bin/nightglass"
    } >"$work/installed"
    chmod +x "$work/installed"
    NIGHTGLASS=$work/installed render "$work/ssh.mkv" --hosts "$work/hosts" \
        || { cat "$work/render.log"; fail "the render on two ssh logins failed"; }
    expect_same_as_single "$work/ssh.mkv"
    (($(grep -c 'Accepted publickey' "$work/sshd.log") >= 4)) || fail "the chunks did not go through sshd"

    # Without NIGHTGLASS a host looks for build/nightglass in its own work folder and then on its
    # PATH; the hosts have neither, while this machine finds the demo on a PATH of its own.
    if ssh -F "$work/ssh_config" farm1 'command -v nightglass' >/dev/null; then
        echo "nightglass is installed on this machine's PATH: skipping the host without the demo"
    else
        mkdir "$work/bin"
        ln -s "$build/nightglass" "$work/bin/nightglass"
        if PATH=$work/bin:$PATH render "$work/missing.mkv" --hosts "$work/hosts"; then
            fail "a render on hosts without the demo succeeded"
        fi
        grep -q 'chunk [0-9]* failed on farm[12]' "$work/render.log" || { cat "$work/render.log"; fail "the failed host is not named"; }
        grep -q 'nightglass' "$work/render.log" || fail "the host's error is not shown"
        expect_no_output "$work/missing.mkv"
    fi
    ;;

failure)
    reference
    # A demo whose chunk from frame 1770 fails while the file "broken" exists, and draws
    # another timeline while "otherflow" exists; every capture is logged.
    cat >"$work/flaky" <<EOF
#!/usr/bin/env bash
if [[ " \$* " == *" --capture "* ]]; then
    echo "\$*" >>"$work/captures"
    if [[ " \$* " == *" --frames 1770:"* && -e "$work/broken" ]]; then
        echo "flaky: the GPU fell off the bus" >&2
        exit 1
    fi
    [[ " \$* " == *" --frames 1770:"* && -e "$work/otherflow" ]] && set -- "\$@" --flow "$source_dir/data/test.flow"
fi
exec "$build/nightglass" "\$@"
EOF
    chmod +x "$work/flaky"
    touch "$work/broken"
    if NIGHTGLASS=$work/flaky render "$work/farm.mkv" -j 2; then
        fail "a render with a failing chunk succeeded"
    fi
    grep -q 'chunk 1 failed on this machine (exit 1)' "$work/render.log" || { cat "$work/render.log"; fail "the failed chunk is not named"; }
    grep -q 'the GPU fell off the bus' "$work/render.log" || fail "the chunk's stderr is not shown"
    (($(grep -c -- '--frames 1770:' "$work/captures") == 2)) || fail "the failing chunk was not tried exactly twice"
    expect_no_output "$work/farm.mkv"

    rm "$work/broken" "$work/captures"
    NIGHTGLASS=$work/flaky render "$work/farm.mkv" -j 2 --resume \
        || { cat "$work/render.log"; fail "the resumed render failed"; }
    [[ $(cut -d' ' -f5 "$work/captures") == 1770:1800 ]] \
        || fail "--resume rendered $(cut -d' ' -f5 "$work/captures" | tr '\n' ' ')instead of only the failed chunk"
    expect_same_as_single "$work/farm.mkv"

    # A chunk drawn otherwise than its neighbours shows at the seams.
    touch "$work/otherflow"
    if NIGHTGLASS=$work/flaky render "$work/seams.mkv" -j 2; then
        fail "a render whose chunks disagree at a seam succeeded"
    fi
    grep -q 'the seam after chunk 0 differs' "$work/render.log" || { cat "$work/render.log"; fail "the seam is not named"; }
    expect_no_output "$work/seams.mkv"
    ;;

*)
    echo "usage: $0 BUILD_DIR local|ssh|failure" >&2
    exit 2
    ;;
esac
echo "render.sh $mode: the same frames as a single capture"
