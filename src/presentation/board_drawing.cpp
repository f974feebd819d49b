// Board, hands, background and outlines, drawn cell by cell; later drawing wins.

#include "core/legality.h"
#include "core/official_rules.h"
#include "presentation/screen.h"

namespace zelk {

std::optional<Picture> pictureFor(int code) {
  using P = PictureName;
  switch (code) {
    case 0: return Picture{P::KARA_MASU};
    case MAN歩: return Picture{P::SITA_HU, 0};
    case MANと: return Picture{P::SITA_HU, 1};
    case MAN銀: return Picture{P::SITA_GIN, 0};
    case MAN成銀: return Picture{P::SITA_GIN, 1};
    case MAN金: return Picture{P::SITA_KIN};
    case MAN角: return Picture{P::SITA_KAKU, 0};
    case MAN馬: return Picture{P::SITA_KAKU, 1};
    case MAN飛: return Picture{P::SITA_SYA, 0};
    case MAN龍: return Picture{P::SITA_SYA, 1};
    case MAN王: return Picture{P::SITA_OU};
    case COM歩: return Picture{P::UE_HU, 0};
    case COMと: return Picture{P::UE_HU, 1};
    case COM銀: return Picture{P::UE_GIN, 0};
    case COM成銀: return Picture{P::UE_GIN, 1};
    case COM金: return Picture{P::UE_KIN};
    case COM角: return Picture{P::UE_KAKU, 0};
    case COM馬: return Picture{P::UE_KAKU, 1};
    case COM飛: return Picture{P::UE_SYA, 0};
    case COM龍: return Picture{P::UE_SYA, 1};
    case COM王: return Picture{P::UE_OU};
    case 背景緑: return Picture{P::HAIKEI_MIDORI};
    case 背景畳: return Picture{P::HAIKEI_TATAMI};
    case 背景竹: return Picture{P::HAIKEI_TAKE};
    case 背景宇宙: return Picture{P::HAIKEI_UCHU};
    case 背景煉瓦: return Picture{P::HAIKEI_RENGA};
    case 画面絵: return Picture{P::ZelkSHOGI};
    default: return std::nullopt;
  }
}

void Screen::描画_絵(int 駒, double X, double Y) {
  if (auto picture = pictureFor(駒)) surface_.drawPicture(*picture, cellX(X), cellY(Y));
}

void Screen::描画_桝輪郭(int 描画色, double X, double Y) {
  surface_.drawOutline(描画色, cellX(X), cellY(Y), static_cast<float>(盤左 + X * 桝幅 + 桝幅),
                       static_cast<float>(盤上 + Y * 桝高 + 桝高));
}

void Screen::描画_盤() {
  ++squaresRedrawn_;
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y) {
      描画_絵(g.盤面(X, Y), X, Y);
      描画_桝輪郭(g.輪郭色, X, Y);
    }
}

void Screen::描画_将棋盤桝() {
  ++squaresRedrawn_;
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y) 描画_桝輪郭(桝色, X, Y);
}

// Every cell of the grid but the 25 squares; the hand cells are drawn over afterwards.
void Screen::描画_背景(int 種類) {
  for (int X = -3; X <= 28; ++X)
    for (int Y = -2; Y <= 17; ++Y)
      if (X < 1 || X > 5 || Y < 1 || Y > 5) 描画_絵(種類, X, Y);
}

void Screen::描画_自持盤() {
  for (int K = 1; K <= 5; ++K) {
    描画_絵(0, 7, K);
    描画_絵(g.背景種類, 8, K);
    if (g.持駒MAN(K) > 0) {
      描画_絵(kManHandCodes[K], 7, K);
      描画_数値(8.1, K + 0.3, g.持駒MAN(K), 色黒, 0, 14);
      描画_数値(8, K + 0.2, g.持駒MAN(K), 色明赤, 0, 14);
    }
    描画_桝輪郭(g.輪郭色, 7, K);
  }
}

// COM's hand stands upside down: row K shows kind 6 - K.
void Screen::描画_敵持盤() {
  for (int K = 1; K <= 5; ++K) {
    const int k = 6 - K;
    描画_絵(0, -1, K);
    描画_絵(g.背景種類, 0, K);
    描画_桝輪郭(g.輪郭色, -1, K);
    if (g.持駒COM(k) > 0) {
      描画_絵(kComHandCodes[k], -1, K);
      描画_桝輪郭(g.輪郭色, -1, K);
      描画_数値(0.1, K + 0.3, g.持駒COM(k), 色黒, 0, 14);
      描画_数値(0, K + 0.2, g.持駒COM(k), 色明赤, 0, 14);
    }
    描画_桝輪郭(g.輪郭色, 1, K);
  }
}

void Screen::描画_移動可能桝色(int 移動元X, int 移動元Y, int 描画色, int 移動駒) {
  描画_将棋盤桝();
  if (g.移動指導 == 0) return;
  // Under the official rules no square is shown where the move would be refused.
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y)
      if (合法手チェック(g, 移動元X, 移動元Y, X, Y, 移動駒) == 1) 描画_桝輪郭(描画色, X, Y);
}

void dropSelection(GameState& g, Screen& screen) {
  if (g.選択状態 == 0) return;
  g.選択状態 = 0;
  screen.描画_将棋盤桝();
  screen.描画_桝輪郭(screen.桝色, g.移動元X, g.移動元Y);  // the source, on the board or in a hand
}

// Each blink shows the empty square, then the piece again, each for 0.2 s; the piece stays.
void Screen::描画_駒点滅(int 入力_駒, int 入力_X, int 入力_Y, int 入力_点滅回数, std::function<void()> then) {
  blinkFrame(入力_駒, 入力_X, 入力_Y, 2 * 入力_点滅回数, std::move(then));
}

// One half of a blink: the empty square when an even number of frames is left, else the piece.
void Screen::blinkFrame(int 駒, int X, int Y, int framesLeft, std::function<void()> then) {
  if (framesLeft <= 0) {
    then();
    return;
  }
  描画_絵(framesLeft % 2 == 0 ? 0 : 駒, X, Y);
  描画_桝輪郭(g.輪郭色, X, Y);
  surface_.refresh();
  待ち時間(0.2, [this, 駒, X, Y, framesLeft, then = std::move(then)]() mutable {
    blinkFrame(駒, X, Y, framesLeft - 1, std::move(then));
  });
}

// What was drawn before the pause is put on the screen first and stays there for the whole
// pause. The event loop's steady timers measure it, so a pause across midnight ends on time.
// The red outline goes once the moment has passed, unless the squares were drawn again meanwhile
// (a new selection, a move, a redraw), which has taken it away already.
void Screen::描画_禁止桝(int X, int Y) {
  描画_桝輪郭(色明赤, X, Y);
  surface_.refresh();
  scheduler_.after(kRefusedSquareSeconds, [this, X, Y, drawn = squaresRedrawn_] {
    if (drawn == squaresRedrawn_) 描画_桝輪郭(桝色, X, Y);
  });
}

void Screen::待ち時間(double 秒, std::function<void()> then) {
  surface_.refresh();
  if (秒 <= 0) {
    then();
    return;
  }
  scheduler_.after(秒, [this, run = pauseRun_, then = std::move(then)] {
    if (run == pauseRun_) then();
  });
}

void Screen::画面_再描画() {
  描画_背景(g.背景種類);
  描画_桝_数値();
  描画_自持盤();
  描画_敵持盤();
  描画_盤();
  if (clocks_) {
    clocks_->描画_所有時間(g.COM手番, g.COM秒);
    clocks_->描画_所有時間(g.MAN手番, g.MAN秒);
  }
  if (g.対局モード == 1) 描画_レベル(g.レベル);
  if (g.ハンデ設定済 == 1) 描画_ハンデレベル(g.ハンデレベル);
  描画_絵(画面絵, 6.8, -0.5);
}

}  // namespace zelk
