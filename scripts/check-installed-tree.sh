#!/usr/bin/env bash
# Checks a copy of the game installed or unpacked under a folder, e.g. "dpkg -x zelk55_….deb
# ROOT": the programs run from there and find their sounds and help page inside it, started from
# a terminal and as the desktop entry starts them; the menu entry, metainfo, icons and manual
# pages are in place and valid.
# Usage: scripts/check-installed-tree.sh ROOT [PREFIX]   (PREFIX: /usr unless given)
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: $0 ROOT [PREFIX]" >&2; exit 2; }
root=$(realpath "$1")
usr=$root${2:-/usr}
id=org.example.zelk55
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/terminal" "$work/home"

for program in zelk55 zelk55-usi; do
  if [ ! -x "$usr/bin/$program" ]; then
    fail "$usr/bin/$program is not there"
  elif ldd "$usr/bin/$program" | grep -q "not found"; then
    fail "$program needs libraries that are not installed: $(ldd "$usr/bin/$program" | grep "not found" | tr -s ' \n' ' ')"
  fi
done
[ "$failures" -eq 0 ] || exit 1

# Started from a terminal in an empty folder: that folder is the start-up folder, and every
# sound and the help page come from the tree's own share folder.
if report=$(cd "$work/terminal" && env -u XDG_DATA_HOME HOME="$work/home" "$usr/bin/zelk55" --paths); then
  pass "zelk55 --paths finds every file"
else
  fail "zelk55 --paths misses a file"
fi
echo "$report" | sed 's/^/    /'
grep -qxF "start folder: $work/terminal" <<<"$report" || fail "started from a terminal, the start-up folder is not the current folder"
for file in その他.wav 禁止.wav 駒打音.wav BGM.wav Zelk５五将棋.htm; do
  grep -qxF "$file: $usr/share/zelk55/$file" <<<"$report" || fail "$file is not taken from $usr/share/zelk55"
done

# As the desktop entry starts it: the per-user folder is made and is the start-up folder.
if report=$(cd "$work/terminal" && HOME="$work/home" XDG_DATA_HOME="$work/data" "$usr/bin/zelk55" --desktop --paths); then
  grep -qxF "start folder: $work/data/zelk55" <<<"$report" && [ -d "$work/data/zelk55" ] &&
    pass "zelk55 --desktop starts in \$XDG_DATA_HOME/zelk55" ||
    fail "zelk55 --desktop does not start in \$XDG_DATA_HOME/zelk55: $report"
else
  fail "zelk55 --desktop --paths misses a file"
fi
if report=$(cd "$work/terminal" && env -u XDG_DATA_HOME HOME="$work/home" "$usr/bin/zelk55" --desktop --paths) &&
   grep -qxF "start folder: $work/home/.local/share/zelk55" <<<"$report"; then
  pass "without XDG_DATA_HOME, zelk55 --desktop starts in ~/.local/share/zelk55"
else
  fail "without XDG_DATA_HOME, zelk55 --desktop does not start in ~/.local/share/zelk55"
fi

# The engine answers the protocol.
if printf 'usi\nisready\nquit\n' | "$usr/bin/zelk55-usi" | grep -qx readyok; then
  pass "zelk55-usi answers usi and isready"
else
  fail "zelk55-usi does not answer isready"
fi

# The menu entry, the software centres' description and the icons.
desktop=$usr/share/applications/$id.desktop
if desktop-file-validate "$desktop"; then pass "$id.desktop is valid"; else fail "$id.desktop is not valid"; fi
grep -qx "Exec=zelk55 --desktop" "$desktop" || fail "the menu entry does not start zelk55 --desktop"
grep -qx "Icon=$id" "$desktop" || fail "the menu entry does not show the game's icon"
if appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"; then
  pass "$id.metainfo.xml is valid"
else
  fail "$id.metainfo.xml is not valid"
fi
for size in 16 22 24 32 48 64 128 256; do
  icon=$usr/share/icons/hicolor/${size}x$size/apps/$id.png
  file "$icon" | grep -q "PNG image data, $size x $size," || fail "no ${size}x$size icon at $icon"
done
[ -s "$usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"

# The manual pages: compressed, and read by groff without a warning.
for page in zelk55 zelk55-usi; do
  man=$usr/share/man/man6/$page.6.gz
  if ! gzip -t "$man" 2>/dev/null; then
    fail "no manual page $man"
    continue
  fi
  warnings=$(zcat "$man" | LC_ALL=C.UTF-8 groff -k -man -ww -z -Tutf8 2>&1)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
[ -s "$usr/share/doc/zelk55/copyright" ] || fail "no copyright file"

if [ "$failures" -ne 0 ]; then
  echo "check-installed-tree: $failures failed under $root" >&2
  exit 1
fi
echo "check-installed-tree: the copy under $root is complete"
