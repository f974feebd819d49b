#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when they are there.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
          qt6-base-dev qt6-multimedia-dev qt6-translations-l10n libgl-dev fonts-ipafont-mincho xvfb xauth xdotool libx11-dev
          librsvg2-bin gzip groff-base appstream desktop-file-utils dpkg-dev file)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]} (run as root, or install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
