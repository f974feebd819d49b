#!/usr/bin/env bash
# Installs the Debian engines zelk55-match can play against: fairy-stockfish (USI; plays
# this game's rules with minishogi-kingcapture.ini) and gnuminishogi (standard minishogi).
# Neither is needed to build or test the game. Does nothing when they are there.
set -euo pipefail

packages=(fairy-stockfish gnuminishogi)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-peers: missing packages: ${missing[*]} (run as root, or install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# Debian puts games in /usr/games, which is often not on PATH.
echo "fairy-stockfish: /usr/games/fairy-stockfish, gnuminishogi: /usr/games/gnuminishogi"
