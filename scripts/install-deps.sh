#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need. Quick when all are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools
  libreoffice-writer-nogui libreoffice-dev
  libcanberra-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev time zlib1g-dev strace
  xvfb xauth imagemagick xdotool
  dbus dbus-x11 at-spi2-core python3-pyatspi
  fonts-dejavu-core fonts-wqy-microhei
  slurm-wlm munge
  librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian
  wp2latex  # its examples are the WordPerfect documents the tests convert (GPL, 0.7 MB)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
