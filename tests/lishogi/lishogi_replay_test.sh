#!/bin/sh
# Games written as KIF replay move by move in lishogi's reader (shogiops, from the npm
# registry). Skipped, with the reason, when node or the reader cannot be had.
# usage: lishogi_replay_test.sh KIF_CORPUS_PROGRAM WORK_FOLDER SCRIPT
set -u
corpus=$1 work=$2 script=$3
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  echo "SKIP: node and npm are not installed; lishogi's reader cannot be run"
  exit 77
fi
mkdir -p "$work"
if [ ! -d "$work/node_modules/shogiops" ]; then
  if ! (cd "$work" && npm install --silent --no-audit --no-fund shogiops >npm.log 2>&1); then
    echo "SKIP: npm could not install shogiops (see $work/npm.log)"
    exit 77
  fi
fi
rm -rf "$work/kif" && "$corpus" "$work/kif" || exit 1
cp "$script" "$work/replay_kif.mjs"
cd "$work" && node replay_kif.mjs kif/*.kif
