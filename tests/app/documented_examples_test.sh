#!/usr/bin/env bash
# The engine's examples in the README and in its manual page are what the engine prints: the
# commands of each example are fed to zelk55-usi and its answers compared with the rest.
# Usage: documented_examples_test.sh ZELK55_USI README.md zelk55-usi.6
set -euo pipefail
usi=$1 readme=$2 manual=$3
commands='^(usi|isready|usinewgame|setoption|position|go|stop|ponderhit|gameover|bench|quit)( |$)'
failures=0

check() {  # where, example text
  local where=$1 example=$2 typed expected actual
  typed=$(grep -E "$commands" <<<"$example" || true)
  expected=$(grep -vE "$commands" <<<"$example" | grep -v '^\$ ' || true)
  if [ -z "$typed" ] || [ -z "$expected" ]; then
    echo "FAIL: no engine example found in $where" >&2
    failures=$((failures + 1))
    return
  fi
  actual=$("$usi" <<<"$typed")
  if [ "$actual" != "$expected" ]; then
    echo "FAIL: $where shows" >&2
    sed 's/^/    /' <<<"$expected" >&2
    echo "  but for" >&2
    sed 's/^/    /' <<<"$typed" >&2
    echo "  zelk55-usi prints" >&2
    sed 's/^/    /' <<<"$actual" >&2
    failures=$((failures + 1))
  else
    echo "ok: $where"
  fi
}

# The README's first code block after the heading of the engine's section.
check "$readme" "$(awk '/^## The engine on its own/ { section = 1 } section && /^```/ { if (inside) exit; inside = 1; next } inside' "$readme")"
# The manual page's EXAMPLE section, its roff escapes undone.
check "$manual" "$(awk '/^\.SH EXAMPLE/ { section = 1; next } section && /^\.SH/ { exit } section && !/^\./' "$manual" | sed 's/\\-/-/g')"

[ "$failures" -eq 0 ]
