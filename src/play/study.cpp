#include "play/study.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "core/move_execution.h"
#include "formats/kif_notation.h"
#include "formats/record_slots.h"
#include "players/engine_move.h"
#include "search/position.h"

namespace zelk {

namespace {

int clipped(int score) {
  if (search::isMateScore(score)) return score > 0 ? kGraphClip : -kGraphClip;
  return std::clamp(score, -kGraphClip, kGraphClip);
}

// 先手 moves first: a side value of 先手, or the lower side before any game.
bool senteToMove(const GameState& g) { return g.手番 != 後手; }

// The position with a side to move the engine can take: before any game, the lower side.
GameState searchable(const GameState& g) {
  GameState s = g;
  if (s.手番 == 0) s.手番 = s.MAN手番;
  return s;
}

std::string speedText(std::uint64_t nodes, std::int64_t ms) {
  const std::uint64_t nps = ms > 0 ? nodes * 1000 / static_cast<std::uint64_t>(ms) : nodes * 1000;
  if (nps >= 10000) return std::to_string(nps / 10000) + "万局面/秒";
  return std::to_string(nps) + "局面/秒";
}

// A line of the engine in Japanese notation, each move marked with its side (▲ 先手, △ 後手).
std::string lineText(const GameState& from, const search::Position& root, const std::vector<search::Move>& pv) {
  constexpr std::size_t kShown = 8;
  GameState walk = from;
  search::Position p = root;
  std::string text;
  UsiMove previous;
  bool hasPrevious = false;
  for (std::size_t i = 0; i < pv.size() && i < kShown; ++i) {
    const UsiMove u = p.toUsi(pv[i]);
    const std::string mark = senteToMove(walk) ? "▲" : "△";
    const std::string move = shortMoveText(walk, u, hasPrevious ? &previous : nullptr);
    if (playUsiMove(walk, u)) break;  // refused: the line ends here
    text += (text.empty() ? "" : " ") + mark + move;
    p.make(pv[i]);
    previous = u;
    hasPrevious = true;
  }
  return text;
}

}  // namespace

std::string evaluationText(int centipawns) {
  if (search::isMateScore(centipawns)) {
    const int n = search::mateInMoves(centipawns);
    return (n > 0 ? "+詰" : "-詰") + std::to_string(std::abs(n));
  }
  return (centipawns > 0 ? "+" : centipawns < 0 ? "-" : "±") + std::to_string(std::abs(centipawns));
}

std::string shortMoveText(const GameState& before, const UsiMove& m, const UsiMove* previous) {
  std::string text = kifMoveText(before, m, previous);
  const auto source = text.find('(');
  return source == std::string::npos ? text : text.substr(0, source);
}

HistoryGame historyGame(const GameState& g) {
  HistoryGame out;
  const int saved = static_cast<int>(g.記録.size());
  std::vector<HistorySlot> slots;
  const bool live = g.記録位置 > g.記録最終 || g.記録位置 >= saved;
  const int lastSaved = live ? std::min(g.記録位置, saved) - 1 : std::min(g.記録最終, saved - 1);
  for (int n = 0; n <= lastSaved; ++n) slots.push_back(g.記録[static_cast<std::size_t>(n)]);
  if (live || slots.empty()) {
    HistorySlot now;
    now.盤面 = g.盤面;
    now.持駒MAN = g.持駒MAN;
    now.持駒COM = g.持駒COM;
    slots.push_back(now);
  }
  FromSlots found = recordFromSlots(slots);
  out.record = std::move(found.record);
  const Replay played = replay(out.record);
  out.positions = played.positions;
  if (out.positions.empty()) out.positions.push_back(out.record.start);
  out.record.moves.resize(out.positions.size() - 1);
  out.firstNumber = g.手数 - g.記録位置 + 1;
  out.currentRow = std::clamp(g.記録位置, 0, static_cast<int>(out.positions.size()) - 1);
  return out;
}

std::vector<MoveRow> moveRows(const HistoryGame& game) {
  std::vector<MoveRow> rows;
  rows.push_back(MoveRow{0, 0, "開始局面", "", "", std::nullopt});
  const UsiMove* previous = nullptr;
  for (std::size_t i = 0; i < game.record.moves.size(); ++i) {
    const UsiMove& m = game.record.moves[i].move;
    const GameState before = stateOf(game.positions[i]);
    rows.push_back(MoveRow{game.firstNumber + static_cast<int>(i), static_cast<int>(i) + 1,
                           kifMoveText(before, m, previous), "", "", std::nullopt});
    previous = &m;
  }
  return rows;
}

void markRows(std::vector<MoveRow>& rows, const HistoryGame& game, const std::vector<ReviewedPosition>& review) {
  const std::size_t n = std::min(rows.size(), review.size());
  for (std::size_t i = 0; i < n; ++i) rows[i].score = review[i].score;
  const UsiMove* previous = nullptr;
  for (std::size_t i = 1; i < n; ++i) {
    const UsiMove& played = game.record.moves[i - 1].move;
    const int side = game.positions[i - 1].手番 == 先手 ? 1 : -1;
    const int drop = side * (review[i - 1].score - review[i].score);
    const auto& best = review[i - 1].best;
    if (best && *best != played && drop >= kDubiousDrop) {
      rows[i].mark = drop >= kBlunderDrop ? "悪手" : "疑問手";
      rows[i].better = shortMoveText(stateOf(game.positions[i - 1]), *best, previous);
    }
    previous = &played;
  }
}

PositionVerdict judgePosition(const GameState& position, const search::SearchLimits& limits,
                              const std::atomic<bool>& stop) {
  PositionVerdict v;
  const GameState g = searchable(position);
  const bool manKing = hasKing(g.盤面, MAN王), comKing = hasKing(g.盤面, COM王);
  if (!manKing || !comKing) {
    // The side whose king is gone has lost.
    const bool moverLost = (g.手番 == g.MAN手番) ? !manKing : !comKing;
    v.decided = true;
    v.score = moverLost ? -search::kMate : search::kMate;
    return v;
  }
  search::Position root(g);
  search::Searcher searcher(4);
  useGameRules(searcher, g);
  const search::SearchResult r = searcher.search(root, limits, stop);
  if (r.best == search::kNoMove) {
    v.decided = true;
    v.score = -search::kMate;
    return v;
  }
  v.score = r.score;
  v.best = root.toUsi(r.best);
  return v;
}

Study::Study(GameState& g, Screen& screen, SoundModule& sounds, const Platform& platform, Navigation& navigation,
             StudyPanel& panel)
    : g(g),
      screen_(screen),
      sounds_(sounds),
      p_(platform),
      navigation_(navigation),
      panel_(panel),
      worker_(platform.scheduler) {}

Study::ShownKey Study::shownKey() const { return ShownKey{g.盤面, g.持駒MAN, g.持駒COM, g.手番, g.勝者}; }

void Study::refuse(std::string_view text, std::string_view title) {
  p_.sound.dsPlay(sounds_.効果音禁止);
  p_.dialogs.messageBox(text, title);
}

void Study::publish() { panel_.show(view_); }

void Study::KIFU_LIST_Click() {
  view_.moveListShown = !view_.moveListShown;
  p_.menu.setChecked(MenuItem::KIFU_LIST, view_.moveListShown);
  refresh();
  publish();
}

void Study::KENTOU_MODE_Click() {
  analysisOn_ = !analysisOn_;
  p_.menu.setChecked(MenuItem::KENTOU_MODE, analysisOn_);
  view_.analysisShown = analysisOn_;
  if (!analysisOn_) {
    if (analysisRunning_) worker_.stop();
    analysisRunning_ = false;
    analysed_.reset();
    view_.analysisHead.clear();
    view_.analysisLines.clear();
    view_.analysisScore.reset();
  }
  refresh();
  publish();
}

void Study::HINT_Click() {
  constexpr std::string_view kTitle = "ﾋﾝﾄ";
  if (g.勝者 != 0) {
    refuse("対局は終わっています", kTitle);
    return;
  }
  const bool playersTurn = g.手番 != 0 && !(computerMoving && computerMoving()) &&
                           !(g.対局モード == 1 && g.棋譜モード == 0 && g.手番 == g.COM手番);
  if (!playersTurn) {
    refuse("あなたの手番ではありません", kTitle);
    return;
  }
  eraseHint();
  // The hint takes the worker; the analysis starts again after it.
  analysisRunning_ = false;
  analysed_.reset();
  view_.reviewing = false;
  const ShownKey key = shownKey();
  const GameState position = g;
  const search::SearchLimits limits = hintLimits;
  worker_.run([this, key, position, limits](const StudyWorker::Job& job) {
    const PositionVerdict v = judgePosition(position, limits, job.stop);
    job.post([this, key, position, v] {
      if (!(shownKey() == key) || !v.best) {
        refresh();
        return;
      }
      hintMove_ = *v.best;
      hinted_ = key;
      hintShown_ = true;
      view_.hint = "ﾋﾝﾄ: " + shortMoveText(position, *v.best, nullptr) + " (評価 " + evaluationText(v.score) + ")";
      drawHint();
      refresh();
      publish();
    });
  });
}

void Study::drawHint() {
  const UsiMove& m = hintMove_;
  if (m.isDrop()) {
    if (g.手番 == g.COM手番) screen_.描画_桝輪郭(kHintColour, kComHandColumn, 6 - m.kind);
    else screen_.描画_桝輪郭(kHintColour, kManHandColumn, m.kind);
  } else {
    screen_.描画_桝輪郭(kHintColour, m.fromX, m.fromY);
  }
  screen_.描画_桝輪郭(kHintColour, m.toX, m.toY);
  screen_.描画_数値(1.2, 6.5, view_.hint, 色黒, 0, 12);
  screen_.描画_数値(1.1, 6.4, view_.hint, kHintColour, 0, 12);
}

void Study::eraseHint() {
  if (!hintShown_) return;
  hintShown_ = false;
  const UsiMove& m = hintMove_;
  if (m.isDrop()) {
    if (hinted_ && hinted_->手番 == g.COM手番) screen_.描画_桝輪郭(g.輪郭色, kComHandColumn, 6 - m.kind);
    else screen_.描画_桝輪郭(g.輪郭色, kManHandColumn, m.kind);
  } else {
    screen_.描画_桝輪郭(g.輪郭色, m.fromX, m.fromY);
  }
  screen_.描画_桝輪郭(g.輪郭色, m.toX, m.toY);
  for (int X = 1; X <= 5; ++X) screen_.描画_絵(g.背景種類, X, 6);
  for (int X = 1; X <= 5; ++X) screen_.描画_桝輪郭(g.輪郭色, X, 5);
  hinted_.reset();
  view_.hint.clear();
  publish();
}

void Study::clearHint() { eraseHint(); }

void Study::stopSearching() {
  worker_.stop();
  analysisRunning_ = false;
  analysed_.reset();
  if (view_.reviewing) {
    view_.reviewing = false;
    publish();
  }
}

void Study::cancelReview() {
  if (!view_.reviewing) return;
  worker_.stop();
  view_.reviewing = false;
  analysed_.reset();
  refresh();
  publish();
}

void Study::KAISEKI_Click() {
  constexpr std::string_view kTitle = "棋譜解析";
  const HistoryGame game = historyGame(g);
  if (game.record.moves.empty()) {
    refuse("解析する手がありません", kTitle);
    return;
  }
  eraseHint();
  analysisRunning_ = false;
  analysed_.reset();
  view_.reviewing = true;
  view_.reviewDone = 0;
  view_.reviewTotal = static_cast<int>(game.positions.size());
  publish();
  const search::SearchLimits limits = reviewLimits;
  const Rules rules = g.rules;
  worker_.run([this, game, limits, rules](const StudyWorker::Job& job) {
    std::vector<ReviewedPosition> found;
    for (const RecordPosition& p : game.positions) {
      if (job.stop.load()) return;
      GameState position = stateOf(p);
      position.rules = rules;  // judged by the rules the game is played under
      const PositionVerdict v = judgePosition(position, limits, job.stop);
      if (job.stop.load()) return;
      const int sente = p.手番 == 先手 ? v.score : -v.score;
      found.push_back(ReviewedPosition{clipped(sente), v.best});
      job.post([this, done = static_cast<int>(found.size())] {
        view_.reviewDone = done;
        publish();
      });
    }
    job.post([this, game, found] {
      review_ = found;
      reviewedMoves_.clear();
      for (const RecordedMove& m : game.record.moves) reviewedMoves_.push_back(m.move);
      reviewedStartPosition_ = game.record.start;
      view_.reviewing = false;
      // The marks are read in the move list.
      view_.moveListShown = true;
      p_.menu.setChecked(MenuItem::KIFU_LIST, true);
      refresh();
      publish();
    });
  });
}

void Study::rowClicked(int row) {
  if (computerMoving && computerMoving()) return;
  if (row < 0 || row >= static_cast<int>(view_.rows.size())) return;
  const int slot = view_.rows[static_cast<std::size_t>(row)].slot;
  while (g.記録位置 > slot) {
    const int before = g.記録位置;
    navigation_.REPLAY_Click();
    if (g.記録位置 == before) break;
  }
  while (g.記録位置 < slot) {
    const int before = g.記録位置;
    navigation_.AFTER_Click();
    if (g.記録位置 == before) break;
  }
  refresh();
}

// The review's findings hold for the moves of the game that are still those reviewed.
void Study::annotate(GameRecord& r) const {
  if (review_.empty() || !reviewedStartPosition_ || !(r.start == *reviewedStartPosition_)) return;
  HistoryGame game;
  game.record = r;
  game.positions = replay(r).positions;
  std::size_t same = 0;
  while (same < r.moves.size() && same < reviewedMoves_.size() && r.moves[same].move == reviewedMoves_[same]) ++same;
  if (game.positions.size() < same + 1) return;
  game.record.moves.resize(same);
  game.positions.resize(same + 1);
  std::vector<MoveRow> rows = moveRows(game);
  std::vector<ReviewedPosition> review(review_.begin(),
                                       review_.begin() + static_cast<long>(std::min(review_.size(), same + 1)));
  markRows(rows, game, review);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const MoveRow& row = rows[i];
    if (row.mark.empty()) continue;
    std::vector<std::string>& c = r.moves[i - 1].comments;
    const std::string text = row.mark + " 評価 " + evaluationText(*row.score) + " 最善手 " + row.better;
    if (std::find(c.begin(), c.end(), text) == c.end()) c.push_back(text);
  }
}

void Study::refresh() {
  const bool needed = view_.moveListShown || analysisOn_ || hintShown_ || view_.reviewing || !review_.empty();
  if (!needed) return;
  const ShownKey key = shownKey();
  if (hintShown_ && !(hinted_ && *hinted_ == key)) eraseHint();

  if (view_.moveListShown || !review_.empty()) {
    const HistoryGame game = historyGame(g);
    view_.rows = moveRows(game);
    view_.currentRow = game.currentRow;
    view_.graph.clear();
    if (!review_.empty() && reviewedStartPosition_ && game.record.start == *reviewedStartPosition_) {
      std::size_t same = 0;
      while (same < game.record.moves.size() && same < reviewedMoves_.size() &&
             game.record.moves[same].move == reviewedMoves_[same])
        ++same;
      HistoryGame part = game;
      part.record.moves.resize(same);
      part.positions.resize(same + 1);
      std::vector<ReviewedPosition> review(review_.begin(),
                                           review_.begin() + static_cast<long>(std::min(review_.size(), same + 1)));
      markRows(view_.rows, part, review);
      for (const ReviewedPosition& r : review_) view_.graph.push_back(r.score);
    }
  }

  const bool busy = computerMoving && computerMoving();
  if (analysisOn_ && !busy && !view_.reviewing && !(analysed_ && *analysed_ == key)) {
    startAnalysis();
  }
  publish();
}

void Study::startAnalysis() {
  analysed_ = shownKey();
  view_.analysisIterations = 0;
  view_.analysisLines.clear();
  view_.analysisScore.reset();
  const GameState position = searchable(g);
  if (!hasKing(position.盤面, MAN王) || !hasKing(position.盤面, COM王) || g.勝者 != 0) {
    if (analysisRunning_) worker_.stop();
    analysisRunning_ = false;
    view_.analysisHead = "終局";
    return;
  }
  view_.analysisHead = "検討中";
  analysisRunning_ = true;
  const bool sente = senteToMove(g);
  const int lines = analysisLineCount;
  worker_.run([this, position, sente, lines](const StudyWorker::Job& job) {
    search::Position root(position);
    search::Searcher searcher(16);
    useGameRules(searcher, position);
    search::SearchLimits limits;
    limits.multiPV = lines;
    std::vector<std::string> texts;
    std::string head;
    int best = 0;
    searcher.search(root, limits, job.stop, [&](const search::IterationInfo& i) {
      const int score = sente ? i.score : -i.score;
      const auto at = static_cast<std::size_t>(i.line - 1);
      if (texts.size() <= at) texts.resize(at + 1);
      texts[at] = evaluationText(score) + "  " + lineText(position, root, i.pv);
      if (i.line == 1) {
        best = score;
        head = "評価 " + evaluationText(score) + " (先手)  深さ " + std::to_string(i.depth) + "  " +
               speedText(i.nodes, i.ms);
      }
      job.post([this, head, texts, best] {
        view_.analysisHead = head;
        view_.analysisLines = texts;
        view_.analysisScore = best;
        ++view_.analysisIterations;
        publish();
      });
    });
    job.post([this] { analysisRunning_ = false; });
  });
}

}  // namespace zelk
