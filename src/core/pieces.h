#pragma once
// Piece codes, side values and board constants of ５五将棋.
//
// MAN (the lower side) has negative codes, COM (the upper side) positive; the same kind has
// the same magnitude on both sides and a promoted piece is the magnitude plus one. Ownership
// is always a range test against the pawn codes, and strength comparisons use the order of
// the magnitudes: 歩 < と < 銀 < 成銀 < 金 < 角 < 馬 < 飛 < 龍 < 王.

namespace zelk {

// clang-format off
// Aligned by hand: the comments line up by their width on screen, which the formatter does
// not count right for Japanese names.

inline constexpr int MAN歩 = -10;    // pawn
inline constexpr int MANと = -11;    // promoted pawn
inline constexpr int MAN銀 = -100;   // silver
inline constexpr int MAN成銀 = -101; // promoted silver
inline constexpr int MAN金 = -110;   // gold
inline constexpr int MAN角 = -800;   // bishop
inline constexpr int MAN馬 = -801;   // horse (promoted bishop)
inline constexpr int MAN飛 = -900;   // rook
inline constexpr int MAN龍 = -901;   // dragon (promoted rook)
inline constexpr int MAN王 = -950;   // king

inline constexpr int COM歩 = 10;
inline constexpr int COMと = 11;
inline constexpr int COM銀 = 100;
inline constexpr int COM成銀 = 101;
inline constexpr int COM金 = 110;
inline constexpr int COM角 = 800;
inline constexpr int COM馬 = 801;
inline constexpr int COM飛 = 900;
inline constexpr int COM龍 = 901;
inline constexpr int COM王 = 950;

inline constexpr int 盤サイズ = 5;  // squares per side
inline constexpr int 盤左 = 1250;  // x of the left edge of column 0, twips
inline constexpr int 盤上 = 600;   // y of the top edge of row 0, twips
inline constexpr int 桝幅 = 615;   // square width, twips
inline constexpr int 桝高 = 690;   // square height, twips

inline constexpr int 先手 = 1;   // side value of the first player
inline constexpr int 後手 = -1;  // side value of the second player

// Hand columns on the board grid: a drop is a move from one of these, with the kind as row.
inline constexpr int kManHandColumn = 7;   // MAN's hand, right of the board
inline constexpr int kComHandColumn = -1;  // COM's hand, left of the board (drawn upside down)

inline constexpr bool isMan(int code) { return code <= MAN歩; }
inline constexpr bool isCom(int code) { return code >= COM歩; }
inline constexpr bool onBoard(int x, int y) { return x >= 1 && x <= 5 && y >= 1 && y <= 5; }
inline constexpr bool isDropSource(int fromX) { return fromX == kManHandColumn || fromX == kComHandColumn; }
inline constexpr int magnitude(int code) { return code < 0 ? -code : code; }

// Whether the code is one of the pieces' codes, of either side, promoted or not (0 is not).
inline constexpr bool isPieceCode(int code) {
  switch (magnitude(code)) {
    case 10: case 11: case 100: case 101: case 110: case 800: case 801: case 900: case 901: case 950:
      return true;
    default:
      return false;
  }
}

// Hand kind index 駒種類 1..5 and the codes dropped for it.
inline constexpr int kManHandCodes[6] = {0, MAN歩, MAN銀, MAN金, MAN角, MAN飛};
inline constexpr int kComHandCodes[6] = {0, COM歩, COM銀, COM金, COM角, COM飛};

// The hand kind a captured piece returns as (promoted pieces go back unpromoted); 0 for a
// king or for a code that is no piece.
inline constexpr int handKindOf(int code) {
  switch (magnitude(code)) {
    case 10: case 11: return 1;
    case 100: case 101: return 2;
    case 110: case 111: return 3;
    case 800: case 801: return 4;
    case 900: case 901: return 5;
    default: return 0;
  }
}

// clang-format on
}  // namespace zelk
