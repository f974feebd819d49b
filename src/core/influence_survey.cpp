#include "core/influence_survey.h"

#include "core/influence_record.h"

namespace zelk {

namespace {

using survey::ComRule;
using survey::recordCom;
using survey::recordMan;

struct Step {
  int dx, dy;
};

constexpr Step kKingSteps[8] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}};
constexpr Step kOrthogonal[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
constexpr Step kDiagonal[4] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

template <std::size_t N>
void manSteps(GameState& g, int c, int x, int y, const Step (&steps)[N], bool checkMark) {
  for (const Step& s : steps)
    if (onBoard(x + s.dx, y + s.dy)) recordMan(g, c, x, y, x + s.dx, y + s.dy, checkMark);
}

template <std::size_t N>
void comSteps(GameState& g, int c, int x, int y, const Step (&steps)[N], ComRule rule) {
  for (const Step& s : steps)
    if (onBoard(x + s.dx, y + s.dy)) recordCom(g, c, x, y, x + s.dx, y + s.dy, rule);
}

void rookLines(GameState& g, int c, int x, int y) {
  勢力確定下直進(g, c, x, y);
  勢力確定上直進(g, c, x, y);
  勢力確定右直進(g, c, x, y);
  勢力確定左直進(g, c, x, y);
}

void clearMaps(GameState& g) {
  for (int x = 1; x <= 5; ++x) {
    for (int y = 1; y <= 5; ++y) {
      g.勢力MAN(x, y) = 0;
      g.勢力COM(x, y) = 0;
      g.守駒MAN(x, y) = 999;
      g.守駒COM(x, y) = 999;
      g.守駒COM_X(x, y) = 0;
      g.守駒COM_Y(x, y) = 0;
      g.攻駒MAN(x, y) = -999;
      g.攻駒MAN_X(x, y) = 0;
      g.攻駒MAN_Y(x, y) = 0;
      g.攻駒COM(x, y) = 999;
      g.攻駒COM_X(x, y) = 0;
      g.攻駒COM_Y(x, y) = 0;
      g.王手駒MAN(x, y) = 0;
      g.王手駒COM(x, y) = 0;
    }
  }
}

void surveyMan(GameState& g, int code, int x, int y) {
  switch (code) {
    case MAN歩:
      if (y - 1 >= 1) recordMan(g, MAN歩, x, y, x, y - 1, true);
      break;
    case MANと:
    case MAN成銀:
    case MAN金: 勢力確定自金(g, code, x, y); break;
    case MAN銀: {
      static constexpr Step steps[5] = {{0, -1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
      manSteps(g, MAN銀, x, y, steps, true);
      break;
    }
    case MAN角: 勢力確定自角(g, x, y); break;
    case MAN馬:
      manSteps(g, MAN馬, x, y, kOrthogonal, true);
      勢力確定自角(g, x, y);
      break;
    case MAN飛: rookLines(g, MAN飛, x, y); break;
    case MAN龍:
      rookLines(g, MAN龍, x, y);
      manSteps(g, MAN龍, x, y, kDiagonal, true);
      break;
    case MAN王:
      g.MAN王X = x;
      g.MAN王Y = y;
      manSteps(g, MAN王, x, y, kKingSteps, false);
      break;
    default: break;
  }
}

void surveyCom(GameState& g, int code, int x, int y) {
  switch (code) {
    case COM歩:
      if (y + 1 <= 5) recordCom(g, COM歩, x, y, x, y + 1, {true, false, true, false, true});
      break;
    case COMと:
    case COM成銀:
    case COM金: 勢力確定敵金(g, x, y); break;
    case COM銀: {
      static constexpr Step steps[5] = {{0, 1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
      comSteps(g, COM銀, x, y, steps, {true, true, false, false, true});
      break;
    }
    case COM角: 勢力確定敵角(g, COM角, x, y); break;
    case COM馬:
      // The horse's single steps only count and mark checks; its lines record it.
      comSteps(g, COM馬, x, y, kOrthogonal, {false, false, false, false, true});
      勢力確定敵角(g, COM馬, x, y);
      break;
    case COM飛: rookLines(g, COM飛, x, y); break;
    case COM龍:
      rookLines(g, COM龍, x, y);
      comSteps(g, COM龍, x, y, kDiagonal, survey::kComFull);
      break;
    case COM王:
      g.COM王X = x;
      g.COM王Y = y;
      comSteps(g, COM王, x, y, kKingSteps, {true, false, false, false, false});
      break;
    default: break;
  }
}

}  // namespace

void 勢力調査(GameState& g) {
  clearMaps(g);
  for (int x = 1; x <= 5; ++x) {
    for (int y = 1; y <= 5; ++y) {
      const int code = g.盤面(x, y);
      if (code < 0) surveyMan(g, code, x, y);
      else if (code > 0) surveyCom(g, code, x, y);
    }
  }
}

}  // namespace zelk
