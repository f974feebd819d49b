#pragma once
// Scores of the computer's evaluation, held exactly as whole tenths of a point so that equal
// sums compare equal whatever the order of their terms and the 0.1, 0.5 and 0.6 terms decide
// ties as they should.

#include <string>

namespace zelk {

using Score = int;  // tenths of a point

inline constexpr Score points(int n) { return n * 10; }
inline constexpr Score kMateCaptureKing = points(9999);  // the candidate takes the MAN king
inline constexpr Score kMateGiven = points(9998);        // the candidate mates the MAN king
inline constexpr Score kMateRefused = -points(9998);     // own king left attacked, or pawn mate
inline constexpr Score kNoScoreYet = -points(99999);     // the best score before any candidate

// The score as a decimal text, e.g. "-51.2" or "10".
std::string scoreText(Score s);

}  // namespace zelk
