#!/usr/bin/env bash
# Installs the Debian packages Kolvex needs to build, test and run, when missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  qt6-charts-dev libqt6opengl6-dev shared-mime-info
  libblkid-dev libjpeg-dev liburing-dev
  # Content fingerprints, and xxhsum that the tests and the benchmark compare them with.
  libxxhash-dev xxhash
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  # Digests of the search indexes; plocate is the peer of the index benchmark.
  libxxhash-dev plocate
  clang libclang-rt-14-dev
  xvfb xauth
  # Qt Charts (statistics panel) needs the OpenGL development files to configure.
  # Installing and packaging: the icon's SVG, the validators and tools of the install
  # check (desktop entry, AppStream, manual pages, a window manager and key presses under
  # Xvfb), CPack's dependency search, and a Debian chroot for the package check.
  qt6-svg-dev desktop-file-utils appstream man-db openbox xdotool imagemagick
  dpkg-dev debootstrap
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
