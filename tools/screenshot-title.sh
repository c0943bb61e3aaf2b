#!/bin/bash
# Makes data/screenshots/title.png, the picture of the game that software
# centres show (AppStream metainfo): the bundled game's title screen as the
# player built in BUILD_DIR paints it under Xvfb, its window alone.
# Usage: tools/screenshot-title.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
player=$PWD/${1:-build}/app/lanternwick
[ -x "$player" ] || {
    echo "screenshot-title: no player at $player" >&2
    exit 1
}

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(cat "$work/display")"
mkdir -m 700 "$work/runtime"
env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" "$player" "$PWD/game" 2>/dev/null &
game_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$game_pid" | sed -n 1p)
# The title picture is painted a moment after the window shows.
sleep 2
mkdir -p data/screenshots
xwd -id "$window" -silent | xwdtopnm 2>/dev/null | pnmtopng -compression 9 >data/screenshots/title.png
pngtopnm data/screenshots/title.png >"$work/title.pnm"
pamfile "$work/title.pnm"
