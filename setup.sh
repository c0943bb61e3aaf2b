#!/bin/sh
# Installs every Debian 12 package that building, testing and playing need.
# When all of them are present already it returns at once without touching apt.
set -eu

# espeak-ng speaks the sample game's voices when tools/ remakes its assets.
# xvfb is a real X server for the tests that take the display away from the game
# and that press keys and buttons through it (xdotool) during a voice.
# neovim's built-in language client talks to the checker's server in a test.
# clang-format (14 on Debian 12) checks the code's layout in .ci/run.
# clang and its libFuzzer runtime build the fuzz targets in fuzz/.
# libjpeg62-turbo-dev: the player decodes JPEG through libjpeg, watching its work.
PACKAGES="
  build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-14-dev
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libsdl2-dev libsndfile1-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libjpeg62-turbo-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  espeak-ng xvfb xdotool neovim
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -z "$missing" ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "setup: installing$missing"
$SUDO apt-get update
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
