#!/usr/bin/env bash
# Takes the pictures of the README into docs/, on a virtual screen of
# 1280x800: the editor in a light and a dark palette at 800x600 and at twice
# the scale, the Programs panel and the Program Tool. Needs a configured
# build/ (scripts/build.sh) and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

ninja -C build orrikey-screenshots
shoot=build/ui/orrikey-screenshots
program=${1:-../shared/corpus/raw/richmit_hp42__bin_meas_MEAS__v8dabe73.raw}

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb

"$shoot" "$program" light editor docs/editor.png
"$shoot" "$program" dark editor docs/editor-dark.png
QT_SCALE_FACTOR=2 "$shoot" "$program" light editor docs/editor-scale2.png
QT_SCALE_FACTOR=2 "$shoot" "$program" dark editor docs/editor-dark-scale2.png
"$shoot" "$program" light programs docs/programs.png
"$shoot" "$program" light tool docs/program-tool.png
