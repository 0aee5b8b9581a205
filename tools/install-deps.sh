#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Tessaly need.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache clang-format
  qtbase5-dev qtmultimedia5-dev libqt5multimedia5-plugins qtpositioning5-dev
  qttranslations5-l10n qttools5-dev-tools libqt5svg5-dev
  # Sound preview: playbin and conversion (base); .wav, and .mp3 through mpg123 (good);
  # .ape through the libav decoder (libav). The "ugly" set is not needed on Debian 12.
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  xvfb xauth fonts-dejavu-core
  # Cold-start benchmark: watches the first paint through the X Damage extension.
  libx11-dev libxdamage-dev
  # GTFS feeds: zip archives read as streams (KArchive).
  libkf5archive-dev zip
  xfonts-terminus xfonts-base xfonts-efont-unicode console-setup-linux pcf2bdf
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
