#!/usr/bin/env bash
# --help and --version of both programs: the version is the project's, the metainfo's newest
# release and the package changelog's newest entry; every option the help names is described
# in the manual page; a wrong argument is refused with status 2 and a word on the error output;
# every USI option is in the manual.
# Usage: usage_and_version_test.sh ZELK55 ZELK55_USI MANUAL_FOLDER METAINFO CHANGELOG VERSION DATE ZELK55_RECORD
set -uo pipefail
game=$1 usi=$2 manuals=$3 metainfo=$4 changelog=$5 version=$6 date=$7 record=$8
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The newest release in the metainfo is the one the programs say they are.
newest=$(grep -o '<release [^>]*>' "$metainfo" | head -n 1)
grep -q "version=\"$version\"" <<<"$newest" || fail "the metainfo's newest release is not $version: $newest"
grep -q "date=\"$date\"" <<<"$newest" || fail "the metainfo's newest release is not dated $date: $newest"
entry=$(head -n 1 "$changelog")
[[ "$entry" == "zelk55 ($version-"* ]] || fail "the package changelog's newest entry is not $version: $entry"

for program in "$game" "$usi"; do
  name=$(basename "$program")
  manual=$(sed 's/\\-/-/g' "$manuals/$name.6")

  for option in --version -v; do
    out=$(cd "$work" && "$program" "$option") || fail "$name $option fails"
    [ "$(head -n 1 <<<"$out")" = "$name (Zelk ５五将棋) $version" ] || fail "$name $option says: $(head -n 1 <<<"$out")"
    grep -q "GPL-3.0-or-later" <<<"$out" || fail "$name $option does not give the licence"
  done

  help=$(cd "$work" && "$program" --help) || fail "$name --help fails"
  [ "$(head -n 1 <<<"$help")" = "Usage: $name [$( [ "$name" = zelk55 ] && echo 'OPTION]...' || echo 'bench]')" ] ||
    fail "$name --help begins: $(head -n 1 <<<"$help")"
  [ "$(cd "$work" && "$program" -h)" = "$help" ] || fail "$name -h differs from --help"
  for option in $(grep -oE -- '(^| )--?[a-z][a-z-]*' <<<"$help" | tr -d ' ' | sort -u); do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$manual" || fail "$name --help names $option, which its manual page does not describe"
  done

  out=$(cd "$work" && "$program" --no-such-option 2>"$work/stderr")
  status=$?
  [ "$status" -eq 2 ] || fail "$name --no-such-option ends with status $status, not 2"
  [ -z "$out" ] || fail "$name --no-such-option prints on the standard output: $out"
  grep -q "unrecognised argument '--no-such-option'" "$work/stderr" || fail "$name --no-such-option says: $(cat "$work/stderr")"
done

# Without any display, the game still refuses a wrong argument with its usage error.
out=$(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$game" --bogus 2>"$work/stderr")
status=$?
[ "$status" -eq 2 ] || fail "zelk55 --bogus without a display ends with status $status, not 2"
grep -q "unrecognised argument '--bogus'" "$work/stderr" || fail "zelk55 --bogus without a display says: $(cat "$work/stderr")"

# The record converter: the same version, every option of its usage in its manual page, a
# wrong option refused with status 2.
record_manual=$(sed 's/\\-/-/g' "$manuals/zelk55-record.6")
for option in --version -v; do
  out=$(cd "$work" && "$record" "$option") || fail "zelk55-record $option fails"
  [ "$(head -n 1 <<<"$out")" = "zelk55-record (Zelk ５五将棋) $version" ] || fail "zelk55-record $option says: $(head -n 1 <<<"$out")"
done
help=$(cd "$work" && "$record" --help) || fail "zelk55-record --help fails"
for option in $(grep -oE -- '(^| )--?[a-z][a-z-]*' <<<"$help" | tr -d ' ' | sort -u); do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$record_manual" || fail "zelk55-record --help names $option, which its manual page does not describe"
done
for command in convert show; do
  grep -q "^\.B zelk55-record $command" "$manuals/zelk55-record.6" || fail "zelk55-record's manual page has no synopsis of $command"
done
(cd "$work" && "$record" --no-such-option >/dev/null 2>&1)
status=$?
[ "$status" -eq 2 ] || fail "zelk55-record --no-such-option ends with status $status, not 2"

# Every option the engine offers is in its manual page.
usi_manual=$(sed 's/\\-/-/g' "$manuals/zelk55-usi.6")
for option in $(printf 'usi\nquit\n' | "$usi" | sed -n 's/^option name \([^ ]*\) .*/\1/p'); do
  grep -q "setoption name $option " <<<"$usi_manual" ||
    fail "zelk55-usi offers the option $option, which data/man/zelk55-usi.6.in does not describe"
done

[ "$failures" -eq 0 ] && echo "ok: usage, version and options of zelk55, zelk55-usi and zelk55-record"
[ "$failures" -eq 0 ]
