#!/bin/sh
# Remakes the official rules' weight table, src/search/evaluation_weights_official.h, as it was
# made: 16 000 games of the engine against itself under the official rules (12 000 nodes a
# move, a few random moves first, evaluated by the game's own rules' table), on two cores, then
# the logistic fit from that table. Run from the top of the worktree after a build; takes
# about half an hour. The games depend on the search as it was when the table was made (before
# the internal reduction was switched on).
#   tools/tune/remake-official-weights.sh [BUILD_FOLDER]   (default build/default)
set -e
build=${1:-build/default}
tune=$build/tools/tune/zelk55-tune
games=$build/tune-official
"$tune" play --games 8000 --first 0 --nodes 12000 --rules official --seed 11 \
  --weights src/search/evaluation_weights.h > "$games-0.txt" &
"$tune" play --games 8000 --first 8000 --nodes 12000 --rules official --seed 11 \
  --weights src/search/evaluation_weights.h > "$games-8000.txt"
wait
"$tune" fit --name kWeightsOfficial "$games-0.txt" "$games-8000.txt" > src/search/evaluation_weights_official.h.new
mv src/search/evaluation_weights_official.h.new src/search/evaluation_weights_official.h
