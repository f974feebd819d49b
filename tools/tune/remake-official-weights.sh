#!/bin/sh
# Remakes the official rules' weight table, src/search/evaluation_weights_official.h, as it was
# made, in three rounds on two cores, each of games of the engine against itself under the
# official rules (12 000 nodes a move, a few random moves first) and then the logistic fit:
# round one, 16 000 games evaluated by the game's own rules' table, fitted from it; round two,
# 12 000 games evaluated by round one's table, fitted from round one's table. Run from the top
# of the worktree after a build; takes about an hour and three quarters. The games depend on the search
# as it was when the table was made: round one was played before the internal reduction was
# switched on, round two with it; and round one was fitted before the checks on safe squares
# and the attackers by type were terms, so they stood at 0 in round two's games, where a
# round one fitted now gives them weights. Round three plays 3 000 games with round two's
# table and fits from it to every second position, its result mixed half and half with
# fairy-stockfish's judgement of it (its own minishogi, depth 8; tools/tune/label-with-fairy.py):
# an evaluation fitted to self-play alone misjudged the positions that stronger program wins.
#   tools/tune/remake-official-weights.sh [BUILD_FOLDER]   (default build/default)
set -e
build=${1:-build/default}
tune=$build/tools/tune/zelk55-tune
games=$build/tune-official
round1=$build/official-round1.h
round2=$build/official-round2.h
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
  > "$round2"
"$tune" play --games 1500 --first 20000 --nodes 12000 --rules official --seed 21 \
  --weights "$round2" > "$games-round3-0.txt" &
"$tune" play --games 1500 --first 21500 --nodes 12000 --rules official --seed 21 \
  --weights "$round2" > "$games-round3-1500.txt"
wait
cat "$games-round3-0.txt" "$games-round3-1500.txt" > "$games-round3.txt"
tools/tune/label-with-fairy.py "$games-round3.txt" "$games-round3-fairy.txt" --every 2 --depth 8 --mix 0.5 --jobs 2
"$tune" fit --name kWeightsOfficial --start "$round2" "$games-round3-fairy.txt" \
  > src/search/evaluation_weights_official.h.new
mv src/search/evaluation_weights_official.h.new src/search/evaluation_weights_official.h
