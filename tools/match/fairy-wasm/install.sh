#!/usr/bin/env bash
# Installs the WebAssembly Fairy-Stockfish (npm package fairy-stockfish-nnue.wasm, pinned in
# package-lock.json) into node_modules beside this script, for wrapper.js. Installs the Debian
# nodejs and npm first when node or npm is missing. Not needed to build or test the game.
set -euo pipefail
cd "$(dirname "$0")"

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "fairy-wasm: node and npm are needed (run as root, or install nodejs and npm)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends nodejs npm
fi

# The lock file fixes the version and its checksum; ci installs exactly that or fails.
npm ci --no-audit --no-fund
echo "fairy-wasm: FAIRY_VARIANT_INI=<variant file> node $(pwd)/wrapper.js"
