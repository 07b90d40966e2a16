#!/usr/bin/env bash
# Installs the build into a temporary prefix, captures one frame with the installed demo from
# another folder, and builds the Debian package, checking that it declares its dependencies.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build_dir="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/stage" >/dev/null
(cd / && "$work/stage/bin/nightglass" --capture "$work/frames" --times 10 --size 160x90 2>"$work/log") \
  || { cat "$work/log"; exit 1; }
[ -s "$work/frames/frame_000600.png" ] || { echo "the installed demo wrote no frame"; exit 1; }

(cd "$build_dir" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/nightglass_*.deb)
info=$(dpkg-deb --info "$deb")
for dependency in libsdl2-2.0-0 libsndfile1 libtinyxml2-9 libgl1; do
  grep -q "Depends:.*$dependency" <<<"$info" || { echo "package does not depend on $dependency"; exit 1; }
done
grep -q "Recommends: ffmpeg" <<<"$info" || { echo "package does not recommend ffmpeg"; exit 1; }
contents=$(dpkg-deb --contents "$deb")
for file in usr/bin/nightglass usr/share/applications/nightglass.desktop usr/share/nightglass/data/Nightglass.flow \
            usr/share/man/man6/nightglass.6 usr/share/icons/hicolor/256x256/apps/nightglass.png; do
  grep -q "$file" <<<"$contents" || { echo "package lacks $file"; exit 1; }
done
echo "installed demo captured from /; package $(basename "$deb") declares its dependencies"
