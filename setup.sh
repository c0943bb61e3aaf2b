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
# libjpeg62-turbo-dev: the player decodes JPEG through libjpeg, watching its work
# (libjpeg-dev is the name the Debian package's build dependencies give it).
# dpkg-dev, debhelper and lintian build and check the Debian packages in
# .ci/check-package, appstream validates their metainfo; it looks at the
# installed game under Xvfb with xwininfo (x11-utils), xwd (x11-apps) and
# netpbm, which also reads the pixels of the title picture.
# libxtst-dev: measure_anime3 clicks the player through the X server.
PACKAGES="
  build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  debhelper lintian appstream dpkg-dev fakeroot x11-apps x11-utils netpbm
  libsdl2-dev libsndfile1-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libjpeg62-turbo-dev libjpeg-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  espeak-ng xvfb xdotool neovim libx11-dev libxtst-dev
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
