#include "formats/record_slots.h"

#include <cmath>
#include <utility>

#include "core/sfen.h"

namespace zelk {

namespace {

long whole(double seconds) { return seconds > 0 ? static_cast<long>(std::floor(seconds)) : 0; }

HistorySlot slotAt(const RecordPosition& p, double first, double second) {
  HistorySlot s;
  s.盤面 = p.盤面;
  s.持駒MAN = p.持駒先手;
  s.持駒COM = p.持駒後手;
  s.前秒M = s.後秒M = first;
  s.前秒C = s.後秒C = second;
  return s;
}

}  // namespace

std::vector<HistorySlot> slotsOf(const GameRecord& r) {
  const Replay played = replay(r);
  std::vector<HistorySlot> slots;
  // Each side's total at the start: what its first timed move says it had before it.
  double totals[2] = {0, 0};  // 先手, 後手
  bool known[2] = {false, false};
  for (std::size_t k = 0; k < r.moves.size() && k + 1 < played.positions.size(); ++k) {
    const int side = played.positions[k].手番 == 先手 ? 0 : 1;
    if (known[side]) continue;
    known[side] = true;
    if (r.moves[k].timed) totals[side] = static_cast<double>(r.moves[k].total - r.moves[k].seconds);
  }
  for (std::size_t k = 0; k < played.positions.size(); ++k) {
    const RecordPosition& p = played.positions[k];
    HistorySlot s = slotAt(p, totals[0], totals[1]);
    if (k < r.moves.size() && static_cast<int>(k) != played.failedMove) {
      const RecordedMove& m = r.moves[k];
      double& mine = totals[p.手番 == 先手 ? 0 : 1];
      if (m.timed) {
        (p.手番 == 先手 ? s.前秒M : s.前秒C) = static_cast<double>(m.total - m.seconds);
        mine = static_cast<double>(m.total);
      }
      (p.手番 == 先手 ? s.後秒M : s.後秒C) = mine;
    }
    slots.push_back(s);
  }
  return slots;
}

FromSlots recordFromSlots(const std::vector<HistorySlot>& slots) {
  std::vector<RecordPosition> positions;
  for (const HistorySlot& s : slots) positions.push_back(boardAndHandsOf(s));
  FromPositions found = recordFromPositions(positions);
  FromSlots out;
  out.brokenAt = found.brokenAt;
  out.record = std::move(found.record);
  GameRecord& r = out.record;

  int mover = r.start.手番;
  for (std::size_t k = 0; k < r.moves.size(); ++k, mover = -mover) {
    const bool first = mover == 先手;
    const double before = first ? slots[k].前秒M : slots[k].前秒C;
    const double after = first ? slots[k + 1].前秒M : slots[k + 1].前秒C;
    RecordedMove& m = r.moves[k];
    m.timed = true;
    m.total = whole(after);
    m.seconds = m.total > whole(before) ? m.total - whole(before) : 0;
  }

  if (r.start.手番 == 後手 && turnedRound(r.start) == standardStart()) {
    r.start = turnedRound(r.start);
    for (RecordedMove& m : r.moves) m.move = zelk::turnedRound(m.move);
    out.turned = true;
  }
  return out;
}

FromSlots recordOfRecordFile(const RecordFile& f) {
  std::vector<HistorySlot> slots;
  slots.push_back(slotAt(standardStart(), 0, 0));
  slots.insert(slots.end(), f.records.begin(), f.records.end());
  FromSlots out = recordFromSlots(slots);
  GameRecord& r = out.record;
  r.先手名 = out.turned ? f.upperName : f.lowerName;
  r.後手名 = out.turned ? f.lowerName : f.upperName;
  if (!f.title.empty()) r.setHeader("表題", f.title);
  return out;
}

AsRecordFile recordFileOf(const GameRecord& r) {
  AsRecordFile out;
  if (r.start.盤面 != standardStart().盤面 || r.start.持駒先手 != Hand{} || r.start.持駒後手 != Hand{}) {
    out.error = "初期配置が平手の５五将棋でない棋譜は .棋譜 に書けません";
    return out;
  }
  // A file of the start alone holds no line, and no file of no line is read as a game.
  if (r.moves.empty()) {
    out.error = "指し手のない棋譜は .棋譜 に書けません";
    return out;
  }
  std::vector<HistorySlot> slots = slotsOf(r);
  out.file.title = r.header("表題");
  out.file.upperName = r.後手名;
  out.file.lowerName = r.先手名;
  out.file.records.assign(slots.begin() + 1, slots.end());
  return out;
}

}  // namespace zelk
