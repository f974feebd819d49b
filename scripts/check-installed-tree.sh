#!/usr/bin/env bash
# Checks a copy of the game installed or unpacked under a folder, e.g. "dpkg -x zelk55_….deb
# ROOT": the programs run from there and find their sounds and help page inside it, started from
# a terminal and as the desktop entry starts them; the menu entry, metainfo, icons and manual
# pages are in place and valid.
# Usage: scripts/check-installed-tree.sh ROOT [PREFIX]   (PREFIX: /usr unless given)
set -uo pipefail

[ $# -ge 1 ] || { echo "usage: $0 ROOT [PREFIX]" >&2; exit 2; }
root=$(realpath "$1")
usr=$root${2:-/usr}
id=org.example.zelk55
passed=0
failed=0

# check DESCRIPTION COMMAND...: the command succeeds when the copy is right.
check() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok: $what"
  else
    failed=$((failed + 1))
    echo "FAIL: $what" >&2
  fi
}

work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/terminal" "$work/home"

runs_here() {  # program: it is there and every library it needs is installed
  [ -x "$usr/bin/$1" ] && ! ldd "$usr/bin/$1" | grep "not found" >&2
}
check "zelk55 is installed with its libraries" runs_here zelk55
check "zelk55-usi is installed with its libraries" runs_here zelk55-usi
check "zelk55-record is installed with its libraries" runs_here zelk55-record

paths() {  # HOME XDG_DATA_HOME (empty: unset) ARGUMENT...: zelk55's report, run in an empty folder
  local home=$1 data=$2
  shift 2
  (cd "$work/terminal" && if [ -n "$data" ]; then export XDG_DATA_HOME=$data; else unset XDG_DATA_HOME; fi &&
     HOME=$home "$usr/bin/zelk55" "$@" --paths)
}

# Started from a terminal in an empty folder: that folder is the start-up folder, and every
# sound and the help page come from the tree's own share folder.
finds_everything_in_share() {
  local report
  report=$(paths "$work/home" "") || { echo "zelk55 --paths misses a file" >&2; }
  echo "$report" | sed 's/^/    /'
  grep -qxF "start folder: $work/terminal" <<<"$report" || return 1
  for file in その他.wav 禁止.wav 駒打音.wav BGM.wav Zelk５五将棋.htm; do
    grep -qxF "$file: $usr/share/zelk55/$file" <<<"$report" || return 1
  done
}
check "from a terminal, zelk55 starts in the current folder and finds every sound and the help page in $usr/share/zelk55" \
  finds_everything_in_share

# As the desktop entry starts it: the per-user folder is made and is the start-up folder.
starts_in() {  # HOME XDG_DATA_HOME folder
  local report
  report=$(paths "$1" "$2" --desktop)
  grep -qxF "start folder: $3" <<<"$report" && [ -d "$3" ]
}
check "zelk55 --desktop starts in \$XDG_DATA_HOME/zelk55, made for it" \
  starts_in "$work/home" "$work/data" "$work/data/zelk55"
check "without XDG_DATA_HOME, zelk55 --desktop starts in ~/.local/share/zelk55, made for it" \
  starts_in "$work/home" "" "$work/home/.local/share/zelk55"

answers_usi() { printf 'usi\nisready\nquit\n' | "$usr/bin/zelk55-usi" | grep -qx readyok; }
check "zelk55-usi answers usi and isready" answers_usi

# The starting position, converted from SFEN to KIF, carries minishogi's handicap line.
converts_sfen() {
  echo 'rbsgk/4p/5/P4/KGSBR b - 1' | "$usr/bin/zelk55-record" convert - - --from sfen --to kifu | grep -q '^手合割：5五将棋'
}
check "zelk55-record converts a position to KIF" converts_sfen

# The menu entry, the software centres' description and the icons.
desktop=$usr/share/applications/$id.desktop
check "$id.desktop is valid" desktop-file-validate "$desktop"
check "the menu entry starts zelk55 --desktop" grep -qx "Exec=zelk55 --desktop" "$desktop"
check "the menu entry shows the game's icon" grep -qx "Icon=$id" "$desktop"
check "$id.metainfo.xml is valid" appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"
icons() {
  for size in 16 22 24 32 48 64 128 256; do
    file "$usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," || return 1
  done
  [ -s "$usr/share/icons/hicolor/scalable/apps/$id.svg" ]
}
check "icons 16 to 256 pixels and scalable in hicolor" icons

# The manual pages: compressed, and read by groff without a warning.
manual() {
  local man=$usr/share/man/man6/$1.6.gz warnings
  gzip -t "$man" || return 1
  warnings=$(zcat "$man" | LC_ALL=C.UTF-8 groff -k -man -ww -z -Tutf8 2>&1)
  [ -z "$warnings" ] || { echo "$warnings" >&2; return 1; }
}
check "manual page zelk55(6)" manual zelk55
check "manual page zelk55-usi(6)" manual zelk55-usi
check "manual page zelk55-record(6)" manual zelk55-record
check "copyright file" test -s "$usr/share/doc/zelk55/copyright"

echo "check-installed-tree: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
