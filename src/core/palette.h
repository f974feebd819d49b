#pragma once
// Numbers of the 16-colour palette that the game logic names, and the picture codes that are
// not pieces. The window turns them into
// screen colours when it draws.

namespace zelk {

inline constexpr int 色黒 = 0;
inline constexpr int 色緑 = 2;
inline constexpr int 色明赤 = 12;
inline constexpr int 色黄 = 14;
inline constexpr int 色白 = 15;

// Picture codes of the title and the background tiles; they share one code space with the
// piece codes, from which they are disjoint.
inline constexpr int 画面絵 = 1;
inline constexpr int 背景緑 = 2;
inline constexpr int 背景畳 = 3;
inline constexpr int 背景竹 = 4;
inline constexpr int 背景宇宙 = 5;
inline constexpr int 背景煉瓦 = 6;

}  // namespace zelk
