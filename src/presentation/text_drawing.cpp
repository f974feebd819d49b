// Texts of the board area: labels, counts, move number, level and last moves, each at its
// fixed cells and mostly twice, a black shadow 0.1 cell right and down under the colour.

#include <string>

#include "presentation/screen.h"

namespace zelk {

namespace {

constexpr std::string_view kFullWidthDigits[] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
constexpr std::string_view kRankNumerals[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

constexpr std::string_view kHandicapLabels[] = {
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級",
};

// A number as the window prints it: decimal, with one blank where a minus sign would go.
std::string printedNumber(int n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }

}  // namespace

std::string 文字列変換(int code) {
  if (code >= 1 && code <= 9) return std::string(kFullWidthDigits[code]);
  if (code >= 1001 && code <= 1009) return std::string(kRankNumerals[code - 1000]);
  switch (magnitude(code)) {
    case 10: return "歩";
    case 11: return "と";
    case 100: return "銀";
    case 101: return "銀成";
    case 110: return "金";
    case 800: return "角";
    case 801: return "角成";
    case 900: return "飛";
    case 901: return "飛成";
    case 950: return "王";
    default: return "";
  }
}

std::string_view labelText(int code) {
  if (code >= -10 && code <= 10) return kHandicapLabels[code + 10];
  if (code == 99) return "手目";
  return "";
}

void Screen::print(double X, double Y, std::string_view text, int colour, int size) {
  if (text.empty()) return;
  surface_.drawText(text, cellX(X), cellY(Y), size, colour, bold_);
}

void Screen::描画_数値(double 入力X, double 入力Y, int 数値, int 色, int モード, int フォントサイズ) {
  if (モード == 0) {
    print(入力X, 入力Y, printedNumber(数値), 色, フォントサイズ);
  } else if (数値 >= 1 && 数値 <= 9) {
    print(入力X, 入力Y, kRankNumerals[数値], 色, フォントサイズ);
  }
}

void Screen::描画_数値(double 入力X, double 入力Y, std::string_view 文字, int 色, int モード, int フォントサイズ) {
  if (モード == 0) print(入力X, 入力Y, 文字, 色, フォントサイズ);
}

void Screen::描画_文字列(double 入力X, double 入力Y, int IN_文字列, int 色, int フォントサイズ) {
  const std::string_view text = labelText(IN_文字列);
  if (text.empty()) return;
  surface_.drawText(text, cellX(入力X) + 120, cellY(入力Y) + 160, フォントサイズ, 色, bold_);
}

void Screen::描画_移動駒種類(double 入力X, double 入力Y, std::string_view 駒文字, int 色) {
  print(入力X, 入力Y, 駒文字, 色, 12);
}

// File numbers 5 4 3 2 1 above the board, ranks 一..五 to its right; bold from here on.
void Screen::描画_桝_数値() {
  bold_ = true;
  for (int K = 1; K <= 5; ++K) {
    描画_絵(g.背景種類, K, 0);
    描画_桝輪郭(g.輪郭色, 7, 6 - K);
    描画_数値(K + 0.2, 0.5, 6 - K, 色黒, 0, 16);
    描画_数値(K + 0.1, 0.4, 6 - K, 色黄, 0, 16);
    描画_絵(g.背景種類, 6, K);
    描画_数値(6.2, K + 0.4, K, 色黒, 1, 12);
    描画_数値(6.1, K + 0.3, K, 色黄, 1, 12);
    描画_桝輪郭(g.輪郭色, 5, K);
  }
}

// The number moves one tenth of a cell left for each digit beyond the first.
void Screen::描画_手数(int 手数) {
  描画_絵(g.背景種類, 9, 3);
  描画_絵(g.背景種類, 10, 3);
  描画_桝輪郭(g.輪郭色, 7, 3);
  const double shift = 手数 < 10 ? 0 : 手数 < 100 ? 0.1 : 0.2;
  描画_数値(9.3 - shift, 3.4, 手数, 色黒, 0, 12);
  描画_数値(9.2 - shift, 3.3, 手数, 色白, 0, 12);
  描画_文字列(9.9, 3.2, 99, 色黒, 10);
  描画_文字列(9.8, 3.1, 99, 色白, 10);
}

void Screen::描画_レベル(int IN_LEVEL) {
  描画_数値(-1.4, 0.2, "LEVEL", 色黒, 0, 10);
  描画_数値(-1.5, 0.1, "LEVEL", 色白, 0, 10);
  描画_数値(0.1, 0.1, IN_LEVEL, 色黒, 0, 12);
  描画_数値(0.1, 0.1, IN_LEVEL, 色白, 0, 12);
}

void Screen::描画_ハンデレベル(int レベル) {
  for (int X = 9; X <= 14; ++X) 描画_絵(g.背景種類, X, 1);
  描画_文字列(9.1, 1.1, レベル, 色黒, 10);
  描画_文字列(9, 1, レベル, 色白, 10);
}

// File, rank and piece of the last move, in the mover's own area.
void Screen::描画_移動結果(int IN_手番, int 移動先X, int 移動先Y, int 移動駒, int 駒色) {
  消去_移動結果(IN_手番);
  const std::string file = 文字列変換(6 - 移動先X);
  const std::string rank = 文字列変換(1000 + 移動先Y);
  const std::string piece = 文字列変換(移動駒);
  if (IN_手番 == g.COM手番) {
    描画_移動駒種類(-1.5, 6.5, file, 色黒);
    描画_移動駒種類(-1.6, 6.4, file, 駒色);
    描画_移動駒種類(-1.1, 6.5, rank, 色黒);
    描画_移動駒種類(-1.2, 6.4, rank, 駒色);
    描画_移動駒種類(-0.5, 6.5, piece, 色黒);
    描画_移動駒種類(-0.6, 6.4, piece, 駒色);
    描画_桝輪郭(g.輪郭色, 1, 6);
  } else if (IN_手番 == g.MAN手番) {
    描画_移動駒種類(9.5, 2.5, file, 色黒);
    描画_移動駒種類(9.4, 2.4, file, 駒色);
    描画_移動駒種類(9.9, 2.5, rank, 色黒);
    描画_移動駒種類(9.8, 2.4, rank, 駒色);
    描画_移動駒種類(10.5, 2.5, piece, 色黒);
    描画_移動駒種類(10.4, 2.4, piece, 駒色);
  }
}

void Screen::消去_移動結果(int IN_手番) {
  if (IN_手番 == g.COM手番) {
    消去_思考中();
  } else if (IN_手番 == g.MAN手番) {
    描画_絵(g.背景種類, 9, 2);
    描画_絵(g.背景種類, 10, 2);
    描画_絵(g.背景種類, 11, 2);
  }
}

void Screen::描画_棋譜読込み部分消去() {
  描画_絵(g.背景種類, -1, 6);
  描画_絵(g.背景種類, 0, 6);
  for (int X = 1; X <= 5; ++X) 描画_絵(g.背景種類, X, 6);
  for (int X = 1; X <= 5; ++X) 描画_桝輪郭(g.輪郭色, X, 5);
}

void Screen::消去_思考中() {
  描画_絵(g.背景種類, -2, 6);
  描画_絵(g.背景種類, -1, 6);
  描画_絵(g.背景種類, 0, 6);
  描画_桝輪郭(g.輪郭色, -1, 5);
}

}  // namespace zelk
