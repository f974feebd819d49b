#include "com/move_choice.h"

#include "core/influence_survey.h"
#include "core/legality.h"
#include "com/evaluation.h"
#include "com/snapshot.h"
#include "core/official_rules.h"

namespace zelk {

namespace {

// Scores a board move already made on the board (source emptied, 候補駒 on the
// destination); decides promotion and reports the code to place.
Score scoreBoardMove(GameState& g, int fx, int fy, int tx, int ty, int captured, int& placed) {
  const int piece = g.候補駒;
  placed = piece;
  if (調査_駒成(g, fx, fy, tx, ty, piece) == 0) {
    勢力調査(g);
    return 盤評価(g, captured, piece, fx, fy, tx, ty);
  }
  const int promoted = g.成駒;
  if (移動後チェック(ty, piece) == 0) {
    g.盤面(tx, ty) = promoted;
    勢力調査(g);
    placed = promoted;
    return 盤評価(g, captured, promoted, fx, fy, tx, ty);
  }
  勢力調査(g);
  Score score = 盤評価(g, captured, piece, fx, fy, tx, ty);
  g.盤面(tx, ty) = promoted;
  勢力調査(g);
  const Score second = 盤評価(g, captured, promoted, fx, fy, tx, ty);
  if (second > score) {
    score = second;
    placed = promoted;
  }
  // The pawn, bishop and rook always promote when they may; the silver only when it pays.
  if (piece == COM歩 || piece == COM角 || piece == COM飛) placed = promoted;
  return score;
}

}  // namespace

ComDecision decideComMove(GameState& g, SearchTick tick) {
  ComDecision best;
  Score 最高評価 = kNoScoreYet;                      // the best score so far
  const bool official = g.rules == Rules::official;  // only moves of those rules are tried
  探索準備(g);

  for (int fx = 1; fx <= 5; ++fx) {
    tick();
    for (int fy = 1; fy <= 5; ++fy) {
      if (g.盤面(fx, fy) < COM歩) continue;
      for (int tx = 1; tx <= 5; ++tx) {
        for (int ty = 1; ty <= 5; ++ty) {
          const int piece = g.盤面(fx, fy);
          if (移動チェック(g, fx, fy, tx, ty, piece) != 1) continue;
          if (official && 王手放置チェック(g, fx, fy, tx, ty, piece) == 1) continue;
          g.候補駒 = piece;
          const int captured = g.盤面(tx, ty);
          g.盤面(fx, fy) = 0;
          g.盤面(tx, ty) = piece;
          int placed = piece;
          const Score score = scoreBoardMove(g, fx, fy, tx, ty, captured, placed);
          g.盤面(tx, ty) = captured;
          g.盤面(fx, fy) = piece;
          if (score > 最高評価) {
            最高評価 = score;
            best.found = true;
            best.move = {fx, fy, tx, ty, placed, piece, score};
            if (captured == MAN王) return best;
          }
        }
      }
    }
  }

  if (g.前持駒数COM > 0) {
    for (int kind = 1; kind <= 5; ++kind) {
      tick();
      if (g.持駒COM(kind) <= 0) continue;
      const int piece = kComHandCodes[kind];
      g.候補駒 = piece;
      for (int tx = 1; tx <= 5; ++tx) {
        for (int ty = 1; ty <= 5; ++ty) {
          if (移動チェック(g, kComHandColumn, kind, tx, ty, piece) != 1) continue;
          if (official && 合法手チェック(g, kComHandColumn, kind, tx, ty, piece) != 1) continue;
          g.盤面(tx, ty) = piece;
          勢力調査(g);
          const Score score = 盤評価(g, 0, piece, kComHandColumn, kind, tx, ty);
          g.盤面(tx, ty) = 0;
          if (score > 最高評価) {
            最高評価 = score;
            best.found = true;
            best.move = {kComHandColumn, kind, tx, ty, piece, piece, score};
            if (最高評価 >= kMateGiven) return best;
          }
        }
      }
    }
  }
  return best;
}

}  // namespace zelk
