#pragma once
// How the drawn area, fixed in twips, sits in a window of any size: scaled to fit whole,
// keeping its proportions, centred, with bars of the background colour on the two sides
// that are left over. Clicks come back through the same mapping.

namespace zelk {

inline constexpr double kTwipsPerPixel = 15;    // at the window's natural size
inline constexpr double kSurfaceWidth = 8400;   // twips of the drawn area
inline constexpr double kSurfaceHeight = 6660;  // down to the loaded record's bottom line at 6350

// Window placement at start-up, in twips.
inline constexpr double kStartLeft = 0, kStartTop = 0, kStartWidth = 8400, kStartHeight = 6800;
inline constexpr double kMaximisedTop = -60;  // the top edge a maximised window reports

struct ViewScale {
  double scale = 1 / kTwipsPerPixel;  // window pixels per twip
  double left = 0, top = 0;           // window pixel where twip (0, 0) lies

  double toPixelX(double twipsX) const { return left + twipsX * scale; }
  double toPixelY(double twipsY) const { return top + twipsY * scale; }
  double toTwipsX(double pixelX) const { return (pixelX - left) / scale; }
  double toTwipsY(double pixelY) const { return (pixelY - top) / scale; }
};

// The mapping for a drawing area of the given size in pixels (non-positive sizes count as 1).
inline ViewScale fitSurface(double width, double height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  const double sx = width / kSurfaceWidth, sy = height / kSurfaceHeight;
  ViewScale v;
  v.scale = sx < sy ? sx : sy;
  v.left = (width - kSurfaceWidth * v.scale) / 2;
  v.top = (height - kSurfaceHeight * v.scale) / 2;
  return v;
}

}  // namespace zelk
