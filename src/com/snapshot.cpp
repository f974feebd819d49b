#include "com/snapshot.h"

#include "core/influence_survey.h"
#include "core/legality.h"
#include "core/mate.h"
#include "com/probes.h"

namespace zelk {

void 探索準備(GameState& g) {
  g.前盤面 = g.盤面;
  // The flight count is that of this position, so it is taken on this position's survey,
  // never on maps an earlier test left behind.
  勢力調査(g);
  調査_2歩フラグ設定(g);
  g.自王逃道数 = 調査_自王逃道(g);
  調査_持角狙座標(g);
  調査_移動不可駒(g);
  g.前持駒数COM = g.持駒数COM;
  g.前勢力MAN = g.勢力MAN;
  g.前勢力COM = g.勢力COM;
  g.前攻駒COM_X = g.攻駒COM_X;
  g.前攻駒COM_Y = g.攻駒COM_Y;
}

}  // namespace zelk
