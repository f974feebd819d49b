#pragma once
// Numbers of the 16-colour palette that the game logic names. The window turns them into
// screen colours when it draws.

namespace zelk {

inline constexpr int 色黒 = 0;
inline constexpr int 色緑 = 2;
inline constexpr int 色明赤 = 12;
inline constexpr int 色黄 = 14;
inline constexpr int 色白 = 15;

}  // namespace zelk
