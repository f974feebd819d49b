#include "core/position_check.h"

#include <utility>

namespace zelk {

namespace {

constexpr const char* kKindNames[6] = {"", "pawns", "silvers", "golds", "bishops", "rooks"};
constexpr const char* kKindNamesJa[6] = {"", "歩", "銀", "金", "角", "飛"};
constexpr const char* kRanksJa[6] = {"", "一", "二", "三", "四", "五"};
constexpr const char* kFilesJa[6] = {"", "１", "２", "３", "４", "５"};

std::string squareText(int x, int y) {
  return std::string(1, static_cast<char>('0' + 6 - x)) + static_cast<char>('a' + y - 1);
}
std::string squareJa(int x, int y) { return std::string(kFilesJa[6 - x]) + kRanksJa[y]; }

// A side named by its side value in this game.
struct SideNames {
  const char* text;
  const char* japanese;
};
SideNames nameOf(const GameState& g, bool man) {
  return (man ? g.MAN手番 : g.COM手番) == 先手 ? SideNames{"sente", "先手"} : SideNames{"gote", "後手"};
}

PositionProblem problem(std::string text, std::string ja) { return {std::move(text), std::move(ja)}; }

}  // namespace

std::optional<PositionProblem> positionProblem(const GameState& g, bool kingTaken) {
  int kings[2] = {0, 0};  // MAN, COM
  int pieces[6] = {};     // board and hands together, by hand kind
  for (int x = 1; x <= 5; ++x) {
    for (int y = 1; y <= 5; ++y) {
      const int code = g.盤面(x, y);
      if (code == 0) continue;
      if (!isPieceCode(code))
        return problem("no such piece on " + squareText(x, y), squareJa(x, y) + "に駒でないものがあります");
      if (magnitude(code) == 950) ++kings[code < 0 ? 0 : 1];
      else ++pieces[handKindOf(code)];
    }
  }
  for (int k = 1; k <= 5; ++k) {
    if (g.持駒MAN(k) < 0 || g.持駒COM(k) < 0) return problem("a negative count in hand", "持駒の数が負です");
    // Summed in steps that stop at the first excess, so no count can overflow.
    if (g.持駒MAN(k) > 2 || g.持駒COM(k) > 2 || (pieces[k] += g.持駒MAN(k) + g.持駒COM(k)) > 2)
      return problem(std::string("more than 2 ") + kKindNames[k] + " on the board and in the hands",
                     std::string(kKindNamesJa[k]) + "が盤と持駒で2枚を超えています");
  }
  const int toMove = g.手番 == g.MAN手番 ? 0 : 1;
  const bool taken = kingTaken && kings[toMove] == 0 && kings[1 - toMove] == 1;
  for (int side = 0; side < 2; ++side) {
    const SideNames n = nameOf(g, side == 0);
    if (kings[side] == 0 && !(taken && side == toMove))
      return problem(std::string(n.text) + " has no king", std::string(n.japanese) + "の王がありません");
    if (kings[side] > 1)
      return problem(std::string(n.text) + " has more than one king",
                     std::string(n.japanese) + "の王が2枚以上あります");
  }
  for (int x = 1; x <= 5; ++x) {
    int pawns[2] = {0, 0};
    for (int y = 1; y <= 5; ++y) {
      const int code = g.盤面(x, y);
      if (code != MAN歩 && code != COM歩) continue;
      const bool man = code == MAN歩;
      const SideNames n = nameOf(g, man);
      if (y == (man ? 1 : 5))
        return problem(std::string("a ") + n.text + " pawn on " + squareText(x, y) + " can never move",
                       squareJa(x, y) + "の" + n.japanese + "の歩は動けません");
      if (++pawns[man ? 0 : 1] == 2)
        return problem(std::string("two unpromoted ") + n.text + " pawns on file " + static_cast<char>('0' + 6 - x),
                       std::string(n.japanese) + "の歩が" + kFilesJa[6 - x] + "筋に2枚あります");
    }
  }
  return std::nullopt;
}

}  // namespace zelk
