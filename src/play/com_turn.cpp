// The computer's turn: the thinking sign, the one-ply search, then the move recorded,
// blinked, played and announced exactly as a player's move is shown.

#include "play/com_turn.h"

#include <utility>

#include "core/influence_survey.h"
#include "core/mate.h"
#include "core/move_execution.h"
#include "play/game_end.h"

namespace zelk {

ComTurn::ComTurn(GameState& g, Screen& screen, Clocks& clocks, SoundModule& sounds, const Platform& platform)
    : g(g), screen_(screen), clocks_(clocks), sounds_(sounds), p_(platform) {}

ComTurn::~ComTurn() { stop(); }

bool ComTurn::elapsedShown() const { return p_.menu.isChecked(MenuItem::KEIKA); }

void ComTurn::start(std::function<void()> then) {
  if (g.勝者 != 0) {
    if (then) then();
    return;
  }
  if (onBegin) onBegin();
  setRunning(true);
  const std::uint64_t run = ++run_;
  then_ = std::move(then);
  g.開始時刻 = p_.clock.timeOfDay();
  if (elapsedShown()) g.timer1Enabled = true;
  screen_.消去_思考中();
  screen_.描画_数値(-1.5, 6.5, "思考中", 色黒, 0, 12);
  screen_.描画_数値(-1.6, 6.4, "思考中", screen_.選択色, 0, 12);
  p_.surface.refresh();

  // The clock keeps running on screen while the computer thinks.
  const SearchTick tick{[](void* self) { static_cast<ComTurn*>(self)->clocks_.Timer1_Timer(); }, this};
  ComDecider decider = deciderFor ? deciderFor(g.レベル) : ComDecider{};
  if (!decider.decide) decider = ruleBasedDecider(tick);
  stop_ = false;
  auto position = std::make_shared<GameState>(g);
  if (!decider.onWorker) {
    p_.timer.setTimer1Enabled(false);
    const ComDecision d = decider.decide(*position, stop_);
    decided(d, *position);
    return;
  }

  // A long decision: the tick timer keeps the clock going, and the answer comes back to the
  // event loop; an answer for a turn that was stopped is dropped.
  p_.timer.setTimer1Enabled(g.timer1Enabled);
  worker_ = std::thread([this, run, decide = std::move(decider.decide), position] {
    const ComDecision d = decide(*position, stop_);
    p_.scheduler.post([this, run, d, position] {
      if (run != run_ || !running_) return;
      joinWorker();
      decided(d, *position);
    });
  });
}

void ComTurn::decided(const ComDecision& d, const GameState& searched) {
  keepSearchTraces(g, searched);
  g.経過秒 = 調査_経過秒(g.開始時刻, p_.clock.timeOfDay());
  p_.timer.setTimer1Enabled(false);  // the clocks stand still through the blink and the pause

  if (!d.found) {
    // With no legal move the computer has lost; nothing is recorded or played.
    g.timer1Enabled = false;
    screen_.消去_思考中();
    g.勝者 = g.MAN手番;
    p_.dialogs.messageBox("あなたの勝ちです", "終了");
    if (running_) finish();
    return;
  }
  if (g.時間設定.on() && g.経過秒 >= 調査_持ち時間(g, g.COM手番)) {
    // The computer's flag fell while it thought: its move comes too late.
    g.timer1Enabled = false;
    screen_.消去_思考中();
    endOnTime(g, p_.dialogs);
    if (running_) finish();
    return;
  }
  move_ = d.move;
  const ComMove& m = move_;
  手順保存(g, m.fromX, m.fromY, m.toX, m.toY, m.sourcePiece, m.placed, g.MAN秒, g.MAN秒, g.COM秒, g.COM秒 + g.経過秒);
  g.手数 += 1;
  screen_.描画_手数(g.手数);
  if (m.isDrop()) screen_.描画_駒点滅(m.placed, kComHandColumn, 6 - m.fromY, 2, [this] { placed(); });
  else screen_.描画_駒点滅(m.sourcePiece, m.fromX, m.fromY, 2, [this] { placed(); });
}

void ComTurn::placed() {
  const ComMove& m = move_;
  駒移動(g, screen_, m.fromX, m.fromY, m.toX, m.toY, m.placed);
  screen_.消去_思考中();
  screen_.待ち時間(0.5, [this] { announce(); });
}

void ComTurn::announce() {
  const ComMove& m = move_;
  p_.sound.dsPlay(sounds_.効果音駒打);
  g.記録位置 += 1;
  g.timer1Enabled = false;

  勢力調査(g);
  if (g.勝者 == g.COM手番) {
    // The MAN king was taken; no mate test on a board without it.
    screen_.消去_移動結果(g.COM手番);
    p_.dialogs.messageBox("ｺﾝﾋﾟｭｰﾀの勝ちです", "終了");
    g.手番 = g.MAN手番;
    if (running_) finish();
    return;
  }
  if (g.rules == Rules::official) {
    g.手番 = g.MAN手番;
    if (endByOfficialRules(g, p_.dialogs)) {
      g.COM秒 += g.経過秒;
      if (running_) finish();
      return;
    }
  }
  if (g.rules != Rules::official && 詰めかMAN(g) == 1) {
    p_.dialogs.messageBox("よし！!", "詰め ?");
  } else if (g.勢力COM(g.MAN王X, g.MAN王Y) > 0) {
    p_.dialogs.messageBox("   ** 王手 **", "");
  }
  if (!running_) return;  // the program ended while the box was open

  screen_.描画_移動結果(g.COM手番, m.toX, m.toY, m.placed, 色白);
  screen_.描画_桝輪郭(色白, m.toX, m.toY);
  g.COM秒 += g.経過秒;
  持ち時間_消費(g, g.COM手番, g.経過秒);
  g.開始時刻 = p_.clock.timeOfDay();
  g.手番 = g.MAN手番;
  if (elapsedShown()) g.timer1Enabled = true;
  finish();
}

void ComTurn::finish() {
  setRunning(false);
  p_.timer.setTimer1Enabled(g.timer1Enabled);
  if (onEnd) onEnd();
  if (auto then = std::exchange(then_, nullptr)) then();
}

void ComTurn::stop() {
  ++run_;
  then_ = nullptr;
  setRunning(false);
  screen_.cancelPauses();
  stop_ = true;
  joinWorker();
}

void ComTurn::setRunning(bool on) {
  if (running_ == on) return;
  running_ = on;
  if (onRunningChanged) onRunningChanged(on);
}

void ComTurn::joinWorker() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace zelk
