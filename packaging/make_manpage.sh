#!/usr/bin/env bash
# Writes the manual page from the program's own --help, so the two cannot disagree.
# Usage: make_manpage.sh NIGHTGLASS OUTPUT
set -euo pipefail
program="$1"
output="$2"
{
  echo '.TH NIGHTGLASS 6 "" "Nightglass" "Games Manual"'
  echo '.SH NAME'
  echo 'nightglass \- a real-time audiovisual demo'
  echo '.SH SYNOPSIS'
  echo '.B nightglass'
  echo '[\fIoptions\fR]'
  echo '.SH DESCRIPTION'
  echo 'Shows a settings dialog, then plays the demo in an OpenGL window in step with its music.'
  echo 'Escape ends it; the left and right arrows seek; L reloads the sync tracks.'
  echo 'The demo reads its data from ./data when the current folder holds one, else from the'
  echo 'installed share/nightglass folder.'
  echo '.SH OPTIONS'
  echo '.nf'
  "$program" --help | sed -e '1d' -e 's/\\/\\\\/g' -e 's/^\./\\\&./' -e 's/-/\\-/g'
  echo '.fi'
} > "$output"
