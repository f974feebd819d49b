#!/usr/bin/env bash
# zelk55-record's standard output that does not take what is written (a full disk, a pipe whose
# reader has gone) fails the command with status 1 and says so; it never ends in silence.
# Usage: record_output_test.sh ZELK55_RECORD
set -uo pipefail
record=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '手合割：5五将棋\r\n   1 ５三歩(54)\r\n' >"$work/game.kifu"
message='zelk55-record: -: 標準出力に書き込めません'

for args in "show $work/game.kifu" "convert $work/game.kifu - --to sfen"; do
  # shellcheck disable=SC2086
  "$record" $args >/dev/full 2>"$work/err"
  status=$?
  [ "$status" -eq 1 ] || fail "$args to a full disk ends with status $status, not 1"
  grep -qF "$message" "$work/err" || fail "$args to a full disk says: $(cat "$work/err")"

  # The reader of the pipe is gone before the program writes.
  # shellcheck disable=SC2086
  { sleep 0.5; "$record" $args 2>"$work/err"; echo $? >"$work/status"; } | true
  status=$(cat "$work/status")
  [ "$status" -eq 1 ] || fail "$args to a closed pipe ends with status $status, not 1"
  grep -qF "$message" "$work/err" || fail "$args to a closed pipe says: $(cat "$work/err")"
done
[ "$failures" -eq 0 ] && echo "ok: a full disk and a closed pipe fail with status 1 and a message"
[ "$failures" -eq 0 ]
