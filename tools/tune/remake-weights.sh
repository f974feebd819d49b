#!/bin/sh
# Remakes the evaluation's weight table, src/search/evaluation_weights.h, as it was made: 3000 games
# of the engine against itself with the hand-set weights (5000 nodes a move, a few random
# moves first), then the logistic fit of the weights to their results. Run from the top of the
# worktree after a build; takes about ten minutes of one core. The games depend on the search
# as it was when the table was made (pruning switched off).
#   tools/tune/remake-weights.sh [BUILD_FOLDER]   (default build/default)
set -e
build=${1:-build/default}
tune=$build/tools/tune/zelk55-tune
games=$build/tune-games.txt
"$tune" play --games 3000 --nodes 5000 --seed 1 --weights tools/tune/hand-weights.txt > "$games"
"$tune" fit --start tools/tune/hand-weights.txt "$games" > src/search/evaluation_weights.h.new
mv src/search/evaluation_weights.h.new src/search/evaluation_weights.h
