#!/usr/bin/env bash
# Checks the Debian package "make package" wrote: shows its control fields and contents, checks
# that apt can install it here, unpacks it into an empty folder and checks the unpacked copy.
set -euo pipefail
cd "$(dirname "$0")/.."

shopt -s nullglob
debs=(build/package/zelk55_*.deb)
if [ ${#debs[@]} -ne 1 ]; then
  echo "check-package: expected one package in build/package, found ${#debs[@]}: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libstdc++6 fonts-ipafont-mincho qt6-translations-l10n; do
  grep -q "$needed" <<<"$depends" || { echo "check-package: Depends lacks $needed: $depends" >&2; exit 1; }
done
# apt resolves the package's dependencies (nothing is installed).
apt-get install --simulate --no-install-recommends "./$deb" >/dev/null

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
scripts/check-installed-tree.sh "$root"
