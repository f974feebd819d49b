#!/bin/sh
# Remakes the official rules' weight table, src/search/evaluation_weights_official.h, as it was
# made, in two rounds on two cores, each of games of the engine against itself under the
# official rules (12 000 nodes a move, a few random moves first) and then the logistic fit:
# round one, 16 000 games evaluated by the game's own rules' table, fitted from it; round two,
# 12 000 games evaluated by round one's table, fitted from round one's table. Run from the top
# of the worktree after a build; takes about an hour and a half. The games depend on the search
# as it was when the table was made: round one was played before the internal reduction was
# switched on, round two with it; and round one was fitted before the checks on safe squares
# and the attackers by type were terms, so they stood at 0 in round two's games, where a
# round one fitted now gives them weights.
#   tools/tune/remake-official-weights.sh [BUILD_FOLDER]   (default build/default)
set -e
build=${1:-build/default}
tune=$build/tools/tune/zelk55-tune
games=$build/tune-official
round1=$build/official-round1.h
"$tune" play --games 8000 --first 0 --nodes 12000 --rules official --seed 11 \
  --weights src/search/evaluation_weights.h > "$games-0.txt" &
"$tune" play --games 8000 --first 8000 --nodes 12000 --rules official --seed 11 \
  --weights src/search/evaluation_weights.h > "$games-8000.txt"
wait
"$tune" fit --name kWeightsOfficial "$games-0.txt" "$games-8000.txt" > "$round1"
"$tune" play --games 6000 --first 0 --nodes 12000 --rules official --seed 12 \
  --weights "$round1" > "$games-round2-0.txt" &
"$tune" play --games 6000 --first 8000 --nodes 12000 --rules official --seed 12 \
  --weights "$round1" > "$games-round2-8000.txt"
wait
"$tune" fit --name kWeightsOfficial --start "$round1" "$games-round2-0.txt" "$games-round2-8000.txt" \
  > src/search/evaluation_weights_official.h.new
mv src/search/evaluation_weights_official.h.new src/search/evaluation_weights_official.h
