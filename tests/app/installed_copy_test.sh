#!/usr/bin/env bash
# Installs the build into a scratch folder as the package lays it out (/usr), checks the copy,
# then takes a sound away and checks that the check notices.
# Usage: installed_copy_test.sh CMAKE BUILD_FOLDER CHECK_SCRIPT
set -euo pipefail
cmake=$1 build=$2 check=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
"$check" "$root"

rm "$root/usr/share/zelk55/BGM.wav"
if "$check" "$root" >/dev/null 2>&1; then
  echo "FAIL: a copy without BGM.wav passes the check" >&2
  exit 1
fi
echo "ok: a copy without BGM.wav fails the check"
